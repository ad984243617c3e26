// The per-character cost of the receive stream, the activity log included. The log is measured
// as it grows towards its limit and while it keeps dropping its oldest text: the cost per
// character must stay flat.
#include <benchmark/benchmark.h>

#include "fakes/program_rig.h"

namespace vantelmoor {
namespace {

const std::string kCall = "\r\nRING\r\n\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nNAME=JOHN DOE\r\n";

// Characters already in the log before timing starts: state.range(0).
void BM_ReceiveCharacter(benchmark::State& state) {
    test::ProgramRig rig;
    if (rig.port.open()) state.SkipWithError("the port did not open");
    rig.port.set_input_len(1);
    for (std::int64_t i = 0; i < state.range(0); ++i) rig.log.append('x');
    rig.log.flush();
    std::size_t i = 0;
    for (auto _ : state) {
        rig.port.arrive(std::string(1, kCall[i]));
        i = (i + 1) % kCall.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReceiveCharacter)->Arg(0)->Arg(16 * 1024)->Arg(60 * 1024)->Arg(1 << 20);

}  // namespace
}  // namespace vantelmoor

BENCHMARK_MAIN();

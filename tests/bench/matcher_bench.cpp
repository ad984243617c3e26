// The time to screen one caller against a full block list (32,767 entries, the caller covered by
// none, so every entry is tried): of exact entries as the block list has always held, of patterns,
// and of both mixed, through the program as it is wired (the list read from its file, in memory).
#include <benchmark/benchmark.h>

#include <chrono>

#include "fakes/program_rig.h"
#include "store/block_list.h"

namespace vantelmoor {
namespace {

// state.range(0): 0 exact entries, 1 patterns, 2 every other one a pattern.
void BM_ScreenAgainstAFullList(benchmark::State& state) {
    std::vector<BlockEntry> entries;
    for (int i = 0; i < static_cast<int>(kMaxListEntries); ++i) {
        const bool pattern = state.range(0) == 1 || (state.range(0) == 2 && i % 2 == 0);
        const std::string digits = std::to_string(1000000 + i);
        entries.push_back(pattern ? BlockEntry{"V*" + std::to_string(i), "1-800-" + digits.substr(0, 3) + "-*"}
                                  : BlockEntry{"CALLER " + std::to_string(i), "555" + digits});
    }
    test::ProgramRig rig;
    rig.files.files[test::ProgramRig::kBlockFile] = write_block_records(entries);
    rig.screen();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        rig.port.arrive("\r\nNMBR=9995550000\r\nNAME=NOBODY AT ALL\r\n");
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        rig.loop.run_until(rig.loop.now_seconds() + 10);  // logged: the next line is a new call
    }
}
BENCHMARK(BM_ScreenAgainstAFullList)->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantelmoor

BENCHMARK_MAIN();

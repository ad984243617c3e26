// The cost of logging one call into a full log (32,767 calls): the file is read afresh, the line
// added (the oldest dropped), the whole file image built and written to a temporary file that is
// renamed over the old one, as the program's file store does; with and without flushing to the
// disk.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "posix_file_store.h"
#include "store/call_log.h"

namespace vantelmoor {
namespace {

std::string call(std::size_t i) {
    return call_log_line("03/21", "2:05 PM", "CALLER " + std::to_string(i), std::to_string(5550000000 + i), i % 2 == 0);
}

// state.range(0): 1 to flush each rewrite to the disk.
void BM_LogOneCallIntoAFullLog(benchmark::State& state) {
    bench::PosixFileStore files(state.range(0) != 0);
    if (!files.ready()) {
        state.SkipWithError("no temporary directory");
        return;
    }
    CallLog log(files, "C:\\Vantelmoor\\Vantelmoor.log");
    std::size_t next = 0;
    while (next < kMaxLogRecords) log.append(call(next++));
    if (!log.save().ok()) state.SkipWithError("the first save failed");
    for (auto _ : state) {
        log.append(call(next++));
        if (!log.save().ok()) {
            state.SkipWithError("a save failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kMaxLogRecords * kCallRecordSize));
}
BENCHMARK(BM_LogOneCallIntoAFullLog)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantelmoor

BENCHMARK_MAIN();

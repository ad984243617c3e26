// The time from a number line's carriage return to the answer, with a full block list (32,767
// entries) read from a real file: the caller covered by the last entry, so the whole list is
// read and scanned. state.range(0): 0 exact entries, as the block list has always held, 1
// patterns, 2 every other one a pattern; the last entry is always the caller's exact number.
#include <benchmark/benchmark.h>

#include <chrono>

#include "fakes/program_rig.h"
#include "posix_file_store.h"
#include "store/block_list.h"

namespace vantelmoor {
namespace {

void BM_NumberLineToAnswer(benchmark::State& state) {
    std::vector<BlockEntry> entries;
    for (int i = 0; i + 1 < static_cast<int>(kMaxListEntries); ++i) {
        const bool pattern = state.range(0) == 1 || (state.range(0) == 2 && i % 2 == 0);
        const std::string digits = std::to_string(1000000 + i);
        entries.push_back(pattern ? BlockEntry{"V*" + std::to_string(i), "1-800-" + digits.substr(0, 3) + "-*"}
                                  : BlockEntry{"CALLER " + std::to_string(i), "555" + digits});
    }
    entries.push_back({"LAST CALLER", "555-999-9999"});
    bench::PosixFileStore files;
    test::ProgramRig rig(&files);
    if (files.replace(rig.program.block_list.path(), write_block_records(entries))) {
        state.SkipWithError("no block list file");
    }
    rig.listen();
    std::chrono::steady_clock::time_point answered;
    rig.port.on_write = [&](const std::string& text) {
        if (text == "ATA\r") answered = std::chrono::steady_clock::now();
    };
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        rig.port.arrive("\r\nNMBR=5559999999\r");
        state.SetIterationTime(std::chrono::duration<double>(answered - start).count());
        rig.after(10);  // logged: the next line is a new call
    }
}
BENCHMARK(BM_NumberLineToAnswer)->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantelmoor

BENCHMARK_MAIN();

// The time from the carriage return of a number line to the answer command, with a block list of
// 32,767 entries read from a real file (the caller is the last entry, so the whole list is read).
#include <benchmark/benchmark.h>

#include <chrono>

#include "fakes/program_rig.h"
#include "posix_file_store.h"
#include "store/block_list.h"

namespace vantelmoor {
namespace {

void BM_NumberLineToAnswer(benchmark::State& state) {
    std::vector<BlockEntry> entries;
    for (int i = 0; i < 32766; ++i) entries.push_back({"CALLER " + std::to_string(i), "555" + std::to_string(1000000 + i)});
    entries.push_back({"LAST CALLER", "555-999-9999"});
    bench::PosixFileStore files;
    test::ProgramRig rig(&files);
    const std::string path = rig.program.block_list.path();
    if (files.replace(path, write_block_records(entries))) state.SkipWithError("no block list file");
    rig.listen();
    std::chrono::steady_clock::time_point answered;
    rig.port.on_write = [&](const std::string& text) {
        if (text == "ATA\r") answered = std::chrono::steady_clock::now();
    };
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        rig.port.arrive("\r\nNMBR=5559999999\r");
        state.SetIterationTime(std::chrono::duration<double>(answered - start).count());
        rig.loop.run_until(rig.loop.now_seconds() + 10);  // logged: the next line is a new call
    }
}
BENCHMARK(BM_NumberLineToAnswer)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantelmoor

BENCHMARK_MAIN();

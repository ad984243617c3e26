// The time from the carriage return of a number line to the answer command, with a block list of
// 32,767 entries read from a real file (the caller is the last entry, so the whole list is read).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "fakes/monitor_rig.h"
#include "posix_file_store.h"
#include "store/block_list.h"

namespace vantelmoor {
namespace {

void BM_NumberLineToAnswer(benchmark::State& state) {
    const std::string path = "/tmp/vantelmoor-bench-block-list.dat";
    std::vector<BlockEntry> entries;
    for (int i = 0; i < 32766; ++i) entries.push_back({"CALLER " + std::to_string(i), "555" + std::to_string(1000000 + i)});
    entries.push_back({"LAST CALLER", "555-999-9999"});
    bench::PosixFileStore files;
    (void)files.replace(path, write_block_records(entries));

    test::MonitorRig rig;
    CallScreener screener(rig.port, rig.view, rig.timers, {files, path, rig.store, rig.call_log}, rig.settings,
                          rig.record, rig.session, nullptr);
    (void)rig.port.set_port_open(true);
    std::chrono::steady_clock::time_point answered;
    rig.port.on_write = [&](const std::string& text) {
        if (text == "ATA\r") answered = std::chrono::steady_clock::now();
    };
    CallerIdParser parser(rig.view, rig.record, {[&] { screener.screen_call(); }, {}});
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        parser.parse_line("\nNMBR=5559999999");  // what the receive stream does at the carriage return
        state.SetIterationTime(std::chrono::duration<double>(answered - start).count());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_NumberLineToAnswer)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantelmoor

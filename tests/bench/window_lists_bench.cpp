// Building the lists of the call-log and preferences windows from full files (32,767 records):
// what the windows do before their list boxes are filled in one batch.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "store/block_list.h"
#include "store/call_log.h"
#include "ui/call_log_window.h"
#include "ui/preferences_window.h"

namespace vantelmoor {
namespace {

void BM_CallLogWindowLines(benchmark::State& state) {
    std::vector<std::string> calls;
    for (std::size_t i = 0; i < kMaxLogRecords; ++i) {
        calls.push_back(call_log_line("03/21", "02:05 PM", "CALLER " + std::to_string(i), std::to_string(5550000000 + i), i % 3 == 0));
    }
    const std::string file = write_call_records(calls);
    for (auto _ : state) {
        std::vector<std::string> lines;
        for (const std::string& line : read_call_records(file)) lines.push_back(call_log_list_line(line));
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_CallLogWindowLines)->Unit(benchmark::kMillisecond);

void BM_PreferencesWindowLines(benchmark::State& state) {
    std::vector<BlockEntry> entries;
    for (std::size_t i = 0; i < kMaxListEntries; ++i) {
        entries.push_back({"CALLER " + std::to_string(kMaxListEntries - i), std::to_string(5550000000 + i)});
    }
    const std::string file = write_block_records(entries);
    for (auto _ : state) {
        std::vector<std::string> lines;
        for (const BlockEntry& entry : read_block_records(file)) lines.push_back(preferences_line(entry));
        std::ranges::stable_sort(lines);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_PreferencesWindowLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantelmoor

BENCHMARK_MAIN();

// The figures the README gives (docs/testing.md says what each times), through the program as it
// is wired, with real files where it reads and writes them. range(0) is, for BM_NumberLineToAnswer,
// whether the entries before the caller's are exact (0), patterns (1) or half patterns (2); for
// BM_LogOneCallIntoAFullLog, 1 to flush to the disk; for BM_ReceiveCharacter, the characters already
// in the activity log (the cost must stay flat as the log keeps its tail).
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

void BM_LogOneCallIntoAFullLog(benchmark::State& state) {
    const auto call = [](std::size_t i) {
        return call_log_line("03/21", "2:05 PM", "CALLER " + std::to_string(i), std::to_string(5550000000 + i), i % 2);
    };
    bench::PosixFileStore files(state.range(0) != 0);
    CallLog log(files, "C:\\Vantelmoor\\Vantelmoor.log");
    std::size_t next = 0;
    while (next < kMaxLogRecords) log.append(call(next++));
    if (!files.ready() || !log.save().ok()) state.SkipWithError("no temporary directory to save in");
    for (auto _ : state) {
        log.append(call(next++));
        if (!log.save().ok()) state.SkipWithError("a save failed");
    }
}
BENCHMARK(BM_LogOneCallIntoAFullLog)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ReceiveCharacter(benchmark::State& state) {
    const std::string call = "\r\nRING\r\n\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nNAME=JOHN DOE\r\n";
    test::ProgramRig rig;
    rig.listen();
    for (std::int64_t i = 0; i < state.range(0); ++i) rig.log.append('x');
    rig.log.flush();
    std::size_t i = 0;
    for (auto _ : state) {
        rig.port.arrive(std::string(1, call[i]));
        i = (i + 1) % call.size();
    }
}
BENCHMARK(BM_ReceiveCharacter)->Arg(0)->Arg(16 * 1024)->Arg(60 * 1024)->Arg(1 << 20);

}  // namespace
}  // namespace vantelmoor

BENCHMARK_MAIN();

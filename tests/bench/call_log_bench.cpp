// The cost of logging one call into a full log (32,767 calls): the line is added (the oldest
// dropped), the whole file image is built and written to a temporary file that is renamed over
// the old one, as the program's file store does; with and without flushing to the disk.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "store/call_log.h"

namespace vantelmoor {
namespace {

// The file store's way of rewriting, in POSIX calls.
class PosixFileStore : public FileStore {
public:
    explicit PosixFileStore(bool flush) : flush_(flush) {}

    std::optional<std::string> read_all(const std::string& path) override {
        const int fd = open(path.c_str(), O_RDONLY | O_CREAT, 0644);
        if (fd < 0) return std::nullopt;
        std::string bytes;
        char chunk[65536];
        ssize_t got = 0;
        while ((got = read(fd, chunk, sizeof(chunk))) > 0) bytes.append(chunk, static_cast<std::size_t>(got));
        close(fd);
        return got < 0 ? std::nullopt : std::optional(bytes);
    }
    bool replace(const std::string& path, std::string_view bytes) override {
        const std::string temp = path + ".tmp";
        const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return false;
        bool ok = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        ok = ok && (!flush_ || fsync(fd) == 0);
        ok = close(fd) == 0 && ok;
        ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
        if (!ok) std::remove(temp.c_str());
        return ok;
    }

private:
    bool flush_;
};

std::string call(std::size_t i) {
    return call_log_line("03/21", "2:05 PM", "CALLER " + std::to_string(i), std::to_string(5550000000 + i), i % 2 == 0);
}

// state.range(0): 1 to flush each rewrite to the disk.
void BM_LogOneCallIntoAFullLog(benchmark::State& state) {
    char dir[] = "/tmp/vantelmoor-bench-XXXXXX";
    if (mkdtemp(dir) == nullptr) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const std::string path = std::string(dir) + "/Vantelmoor.log";
    PosixFileStore files(state.range(0) != 0);
    CallLog log(files, path);
    std::size_t next = 0;
    while (next < kMaxLogRecords) log.append(call(next++));
    if (!log.save()) state.SkipWithError("the first save failed");
    for (auto _ : state) {
        log.append(call(next++));
        if (!log.save()) {
            state.SkipWithError("a save failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kMaxLogRecords * kCallRecordSize));
    std::remove(path.c_str());
    rmdir(dir);
}
BENCHMARK(BM_LogOneCallIntoAFullLog)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantelmoor

BENCHMARK_MAIN();

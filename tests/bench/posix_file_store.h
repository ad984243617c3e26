#pragma once
// A file store on the Linux file system for the benchmarks, so that their figures include real
// file reads and rewrites: the same steps as the Win32 store (a temporary file beside the target,
// optionally flushed to the disk, renamed over it). Every file lives in a temporary directory of
// its own, whatever path the program gives ("C:\Vantelmoor\Vantelmoor.log" is its name there),
// and goes with the store.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_store.h"

namespace vantelmoor::bench {

class PosixFileStore : public FileStore {
public:
    explicit PosixFileStore(bool flush = true) : flush_(flush) {
        char pattern[] = "/tmp/vantelmoor-bench-XXXXXX";
        if (mkdtemp(pattern) != nullptr) dir_ = pattern;
    }
    ~PosixFileStore() override {
        if (!dir_.empty()) std::filesystem::remove_all(dir_);
    }
    PosixFileStore(const PosixFileStore&) = delete;
    PosixFileStore& operator=(const PosixFileStore&) = delete;

    FileRead read_all(const std::string& windows_path, std::size_t largest) override {
        const int fd = open(local(windows_path).c_str(), O_RDONLY | O_CREAT, 0644);
        if (fd < 0) return {std::nullopt, std::strerror(errno)};
        std::string bytes;
        char chunk[65536];
        ssize_t got = 0;
        while ((got = read(fd, chunk, sizeof(chunk))) > 0) bytes.append(chunk, static_cast<std::size_t>(got));
        close(fd);
        if (got < 0) return {std::nullopt, std::strerror(errno)};
        if (bytes.size() > largest) return {std::nullopt, "too large"};
        return {std::move(bytes), {}};
    }
    FileFailure replace(const std::string& windows_path, std::string_view bytes) override {
        const std::string path = local(windows_path);
        const std::string temp = path + ".tmp";
        const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return std::strerror(errno);
        bool ok = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        ok = ok && (!flush_ || fsync(fd) == 0);
        ok = close(fd) == 0 && ok;
        ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
        if (ok) return std::nullopt;
        std::remove(temp.c_str());
        return "the rewrite failed";
    }
    void remove_leftovers(const std::string&) override {}
    [[nodiscard]] bool ready() const { return !dir_.empty(); }

private:
    std::string local(const std::string& windows_path) const {
        return dir_ + "/" + windows_path.substr(windows_path.find_last_of("\\/") + 1);
    }

    bool flush_;
    std::string dir_;
};

}  // namespace vantelmoor::bench

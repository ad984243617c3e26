#pragma once
// The Win32 file store's steps on the Linux file system, so that the figures include real reads and
// rewrites (a temporary file beside the target, flushed to the disk or not, renamed over it), in a
// temporary directory that goes with the store; only a path's last part counts ("Vantelmoor.log").

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    PosixFileStore(const PosixFileStore&) = delete;
    PosixFileStore& operator=(const PosixFileStore&) = delete;

    FileRead read_all(const std::string& windows_path, std::size_t largest) override {
        std::ifstream in(local(windows_path), std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (bytes.size() > largest) return {std::nullopt, "too large"};
        return {std::move(bytes), {}};  // a missing file reads empty, as the program creates it
    }
    FileFailure replace(const std::string& windows_path, std::string_view bytes) override {
        const std::string path = local(windows_path);
        const int fd = open((path + ".tmp").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        bool ok = fd >= 0 && write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        ok = ok && (!flush_ || fsync(fd) == 0);
        ok = (fd < 0 || close(fd) == 0) && ok;
        if (ok && std::rename((path + ".tmp").c_str(), path.c_str()) == 0) return std::nullopt;
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

#pragma once
// A file store on the Linux file system for the benchmarks, so that their figures include real
// file reads and rewrites: the same steps as the Win32 store (temporary file beside the target,
// flushed, renamed over it).

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/file_store.h"

namespace vantelmoor::bench {

class PosixFileStore : public FileStore {
public:
    std::optional<std::string> read_all(const std::string& path) override {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::ofstream(path, std::ios::binary);
            return std::string();
        }
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool replace(const std::string& path, std::string_view bytes) override {
        const std::string temp = path + ".tmp";
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return false;
        const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        const bool synced = ::fdatasync(fd) == 0;
        ::close(fd);
        return written && synced && std::rename(temp.c_str(), path.c_str()) == 0;
    }
};

}  // namespace vantelmoor::bench

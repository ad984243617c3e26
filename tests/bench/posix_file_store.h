#pragma once
// A file store on the Linux file system for the benchmarks, so that their figures include real
// file reads and rewrites: the same steps as the Win32 store (a temporary file beside the target,
// optionally flushed to the disk, renamed over it).

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_store.h"

namespace vantelmoor::bench {

class PosixFileStore : public FileStore {
public:
    explicit PosixFileStore(bool flush = true) : flush_(flush) {}

    FileRead read_all(const std::string& path) override {
        const int fd = open(path.c_str(), O_RDONLY | O_CREAT, 0644);
        if (fd < 0) return {std::nullopt, std::strerror(errno)};
        std::string bytes;
        char chunk[65536];
        ssize_t got = 0;
        while ((got = read(fd, chunk, sizeof(chunk))) > 0) bytes.append(chunk, static_cast<std::size_t>(got));
        close(fd);
        if (got < 0) return {std::nullopt, std::strerror(errno)};
        return {std::move(bytes), {}};
    }
    FileFailure replace(const std::string& path, std::string_view bytes) override {
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

private:
    bool flush_;
};

}  // namespace vantelmoor::bench

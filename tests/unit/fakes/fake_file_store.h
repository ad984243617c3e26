#pragma once
// Record files in memory: path -> bytes, with a switch that makes every rewrite fail the way the
// real store does (the old bytes stay).

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_store.h"

namespace vantelmoor::test {

class FakeFileStore : public FileStore {
public:
    std::map<std::string, std::string> files;
    bool fail_replace = false;
    int reads = 0;
    int replaces = 0;  // attempts, failed ones included

    std::optional<std::string> read_all(const std::string& path) override {
        ++reads;
        return files[path];  // a missing file is created empty
    }
    bool replace(const std::string& path, std::string_view bytes) override {
        ++replaces;
        if (fail_replace) return false;
        files[path] = std::string(bytes);
        return true;
    }
};

}  // namespace vantelmoor::test

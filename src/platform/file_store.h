#pragma once
// Whole-file access to the program's record files. A rewrite never leaves a short file behind: it
// goes to a temporary file in the same directory, which then replaces the old one in one step.

#include <optional>
#include <string>
#include <string_view>

namespace vantelmoor {

class FileStore {
public:
    virtual ~FileStore() = default;
    // The file's bytes. A missing file is created empty and reads as empty, as the record files
    // always have been; nullopt when the file can be neither read nor created.
    [[nodiscard]] virtual std::optional<std::string> read_all(const std::string& path) = 0;
    // Replaces the file's contents with `bytes` in one step. False when that failed: the old
    // file is then untouched.
    [[nodiscard]] virtual bool replace(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace vantelmoor

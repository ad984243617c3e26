#pragma once
// Whole-file access to the program's record files. A rewrite never leaves a short file behind: it
// goes to a temporary file in the same directory, which then replaces the old one in one step.
// A file that could not be read is never mistaken for an empty one: the caller gets the reason.
// Every user of the machine can write the files, so what they hold is not trusted: a link, a file
// with a second name, or one larger than the largest the program writes is not read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantelmoor {

struct FileRead {
    std::optional<std::string> bytes;  // nullopt: the file could not be read
    std::string failure;               // why not, in the system's words
};

// nullopt when the rewrite happened; otherwise why it did not, in the system's words.
using FileFailure = std::optional<std::string>;

class FileStore {
public:
    virtual ~FileStore() = default;
    // The file's bytes. A missing file is created empty and reads as empty, as the record files
    // always have been. A file of more than `largest` bytes cannot be read.
    [[nodiscard]] virtual FileRead read_all(const std::string& path, std::size_t largest) = 0;
    // Replaces the file's contents with `bytes` in one step; on failure the old file is untouched.
    [[nodiscard]] virtual FileFailure replace(const std::string& path, std::string_view bytes) = 0;
    // Removes the temporary files that an interrupted rewrite left in `directory`; only the copy
    // that screens the line may, since another copy's rewrite may be under way.
    virtual void remove_leftovers(const std::string& directory) = 0;
};

}  // namespace vantelmoor

#pragma once
// The few file-system questions the program asks outside its record files.

#include <optional>
#include <string>

namespace vantelmoor {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // True for an existing file, whatever its attributes (hidden, system, read-only); a directory
    // or a link (a reparse point) counts as absent, and so does any error in answering.
    [[nodiscard]] virtual bool file_exists(const std::string& path) const = 0;
    // Makes sure the file exists, creating it empty when absent; never writes into it. nullopt
    // when it exists; otherwise why it could not be created, in the system's words.
    [[nodiscard]] virtual std::optional<std::string> create_if_absent(const std::string& path) = 0;
    // True when the running user can create files in the directory.
    [[nodiscard]] virtual bool can_create_files_in(const std::string& directory) = 0;
    // Makes the directory when it is not there; nullopt when it is there now, otherwise why not.
    [[nodiscard]] virtual std::optional<std::string> create_directory(const std::string& directory) = 0;
};

}  // namespace vantelmoor

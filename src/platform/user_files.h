#pragma once
// Files the user picks, for lists and the call log going to and from other tools: the system's own
// open and save dialogs, and the file read or written whole.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantelmoor {

struct ChosenFile {
    std::string path;
    std::optional<std::string> bytes;  // open: what it holds; nullopt when it could not be read
    std::string failure;               // why it could not be read or written; empty when it went right
};

class UserFiles {
public:
    virtual ~UserFiles() = default;
    // Asks which file to read and reads it (at most `largest` bytes); nullopt when the user cancelled.
    [[nodiscard]] virtual std::optional<ChosenFile> open(const std::string& title, std::size_t largest) = 0;
    // Asks where to write `bytes`, suggesting a name, and writes them; nullopt when the user cancelled.
    [[nodiscard]] virtual std::optional<ChosenFile> save(const std::string& title, const std::string& suggested,
                                                         std::string_view bytes) = 0;
};

}  // namespace vantelmoor

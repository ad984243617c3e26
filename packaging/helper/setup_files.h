#pragma once
// The file operations setup needs in the shared data folder and in an earlier installation's
// folder, both of which standard users can write. Nothing here follows a link: what is at a path
// is opened as it is (a junction or a link is opened itself, never what it points at), and a
// folder that setup works in is held open, so that nobody can rename, delete or replace it until
// setup has finished. A name in a folder (read, written, made or removed) must turn out, once
// opened, to be in the held folder itself: otherwise it is refused, as the folder was made a
// junction meanwhile.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantelmoor::setup {

// nullopt when it happened; otherwise why not, in the system's words.
using Failure = std::optional<std::string>;

enum class Found { Nothing, Folder, Other };  // Other: a file, or a link of any kind

struct PlainRead {
    std::optional<std::string> bytes;  // nullopt: not taken
    std::string why_not;               // empty when the file is simply not there
};

class SetupFiles {
public:
    virtual ~SetupFiles() = default;
    // Opens what is at `path` without following a link, and holds it until the helper ends.
    // Found::Folder only for a real folder.
    virtual Found hold(const std::string& path) = 0;
    // Renames what `hold` opened at `path`, through that handle; it stays held under its new name.
    virtual Failure rename_held(const std::string& path, const std::string& new_path) = 0;
    // Makes a new folder, SYSTEM's and Administrators' alone, and holds it (fails when anything is
    // there).
    virtual Failure make_data_folder(const std::string& path) = 0;
    // Gives a folder made by make_data_folder the shared data folder's access list, through its handle.
    virtual Failure share_data_folder(const std::string& path) = 0;
    // Makes a new, empty run marker with an installed copy's access list.
    virtual Failure make_marker(const std::string& path) = 0;
    // The file's bytes when it is a plain file with one name (no link, no hard link, no folder) of
    // at most `largest` bytes.
    virtual PlainRead read_plain(const std::string& path, std::size_t largest) = 0;
    // A new file with these bytes (fails when anything is there).
    virtual Failure write_new(const std::string& path, std::string_view bytes) = 0;
    // Removes the name itself: a link goes, never what it points at. Nothing there is no failure.
    virtual Failure remove_name(const std::string& path) = 0;
    // Removes a held folder when it is empty: nullopt when it is gone, otherwise why it stays.
    virtual Failure remove_if_empty(const std::string& path) = 0;
    // A fresh name, hard to guess: 64 random bits in hex.
    virtual std::string random_suffix() = 0;
};

}  // namespace vantelmoor::setup

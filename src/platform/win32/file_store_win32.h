#pragma once
// The record files on disk. Every user of the machine may write the shared data folder, so a save
// never uses a name another user can guess or take: it creates "Vantelmoor-<128 random bits>.tmp"
// beside the target (a new file, shared with nobody), writes and flushes it, then renames it over
// the target through its own handle. A crash or a full disk leaves the old file or the new one,
// never a mixture. Reading opens the name itself, never what a link points at.

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_store.h"

namespace vantelmoor::win32 {

// The name a save gives its temporary file, and whether a name is one (a leftover of a save that
// was killed half-way).
std::string temporary_file_name();
bool is_temporary_file_name(std::string_view name);

class Win32FileStore final : public FileStore {
public:
    FileRead read_all(const std::string& path, std::size_t largest) override;
    FileFailure replace(const std::string& path, std::string_view bytes) override;
    void remove_leftovers(const std::string& directory) override;
};

}  // namespace vantelmoor::win32

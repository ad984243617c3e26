#pragma once
// The run marker "\Vantelmoor.flg" in the program directory: while it exists the program keeps
// running, so deleting it from outside makes a running copy quit. The program only ever creates
// it, empty, and never writes into it.

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace vantelmoor {

std::string run_marker_path(const std::string& directory);
// Makes sure the marker exists; an existing one keeps whatever it holds. nullopt when it exists,
// otherwise why it could not be created.
[[nodiscard]] std::optional<std::string> create_run_marker(FileSystem& files, const std::string& directory);

}  // namespace vantelmoor

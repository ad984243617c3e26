#pragma once
// The run marker "Vantelmoor.flg" beside the block list: while it exists the program keeps
// running, so deleting it makes every running copy end (that is how setup ends them). An installed
// copy's marker is setup's, made so that only administrators can delete or change it: the program
// only looks for it. A copy in a folder of one's own makes its marker, empty, when it is absent,
// and never writes into it.

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "store/data_directory.h"

namespace vantelmoor {

std::string run_marker_path(const std::string& directory);
// nullopt when the marker is there (made now, if this copy makes its own); otherwise what to tell
// the user before the program ends.
[[nodiscard]] std::optional<std::string> ensure_run_marker(FileSystem& files, const DataDirectory& data);

}  // namespace vantelmoor

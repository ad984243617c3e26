#include "store/run_marker.h"

namespace vantelmoor {

std::string run_marker_path(const std::string& directory) { return directory + "\\Vantelmoor.flg"; }

std::optional<std::string> create_run_marker(FileSystem& files, const std::string& directory) {
    return files.create_if_absent(run_marker_path(directory));
}

}  // namespace vantelmoor

#include "store/run_marker.h"

namespace vantelmoor {

std::string run_marker_path(const std::string& program_dir) { return program_dir + "\\Vantelmoor.flg"; }

void create_run_marker(FileSystem& files, const std::string& program_dir) {
    files.create_if_absent(run_marker_path(program_dir));
}

}  // namespace vantelmoor

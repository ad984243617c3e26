#pragma once
// The run marker "\Vantelmoor.flg" in the program directory: while it exists the program keeps
// running, so deleting it from outside makes a running copy quit. The program only ever creates
// it, empty, and never writes into it.

#include <string>

#include "platform/file_system.h"

namespace vantelmoor {

std::string run_marker_path(const std::string& program_dir);
// Makes sure the marker exists; an existing one keeps whatever it holds. Failures are ignored.
void create_run_marker(FileSystem& files, const std::string& program_dir);

}  // namespace vantelmoor

#pragma once
// Where the block list, the call log and the run marker are kept. The data follows the
// installation, not the account: a copy that setup installed always keeps it in "Vantelmoor" under
// the machine's common data folder (%ProgramData%), which setup made for every user, also when it
// runs elevated; any other copy keeps it beside itself when it can create files there, and in that
// shared folder otherwise.

#include <string>

#include "platform/file_system.h"
#include "platform/install_facts.h"

namespace vantelmoor {

struct DataDirectory {
    std::string path;
    std::string note;  // which one, and why, for the activity log
    bool installed = false;
};

// True when the executable is the one setup installed: its final path is the install location's
// Vantelmoor.exe, and that lies under Program Files, where only administrators can change it.
bool is_installed_copy(const InstallFacts& facts);

DataDirectory choose_data_directory(FileSystem& files, const InstallFacts& facts);

}  // namespace vantelmoor

#pragma once
// Where the block list, the call log and the run marker are kept: beside the program when the
// running user can create files there (a copy in a folder of one's own); otherwise, as for a
// program installed under "Program Files" and run from a standard account, in "Vantelmoor" under
// the machine's common data folder (%ProgramData%), which every user of the machine shares.

#include <string>

#include "platform/file_system.h"

namespace vantelmoor {

struct DataDirectory {
    std::string path;
    std::string note;  // which one, and why, for the activity log
};

// common_data: the machine's common application-data folder.
DataDirectory choose_data_directory(FileSystem& files, const std::string& program_dir, const std::string& common_data);

}  // namespace vantelmoor

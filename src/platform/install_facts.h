#pragma once
// What the system says about where this copy of the program lives, for deciding whether setup
// installed it and where its data is kept.

#include <string>

namespace vantelmoor {

struct InstallFacts {
    std::string program_dir;       // the executable's directory, without a trailing backslash
    std::string executable;        // the executable's final path, links and junctions resolved
    std::string install_location;  // where setup's "Apps and features" entry says it installed; empty if none
    std::string program_files;     // the machine's Program Files folder
    std::string common_data;       // the machine's common application-data folder (%ProgramData%)
};

}  // namespace vantelmoor

#pragma once
// What setup and its uninstaller do in folders that standard users can write: the shared data
// folder, and the folder of an earlier installation outside Program Files.
//
// Setup trusts no folder it did not make. Whatever has the data folder's name (the folder an
// earlier version made, or a junction a user put there) is moved aside under a random name,
// through a handle that did not follow a link; a new folder is made, for administrators alone;
// the program's data files are copied in by content, each only when it is a plain file with one
// name and no larger than the program writes; and only once the run marker is in it, which no user
// can remove, is it opened to users (an empty folder they may add files to is one they may make a
// junction of). Nothing is ever deleted recursively: the
// program's own file names are removed, then a folder only when it is empty.

#include <string>
#include <string_view>
#include <vector>

#include "helper/setup_files.h"

namespace vantelmoor::setup {

struct DataFile {
    std::string_view name;
    std::size_t largest;
};

// The files setup carries over into a new data folder.
const std::vector<DataFile>& data_files();

enum class Outcome {
    Done,
    InUse,  // the old data folder could not be moved aside: someone has a file open in it
    Failed,
};

struct Result {
    Outcome outcome = Outcome::Done;
    std::vector<std::string> report;  // for setup's details, one line each
};

// A fresh data folder, with the data of the folder it replaces (or, for a file not there, of the
// earlier installations' folders, in order).
Result prepare_data_folder(SetupFiles& files, const std::string& folder, const std::vector<std::string>& earlier);
// The installed copy's run marker in the new data folder, then the folder opened to users: last,
// once everything else is in place, as with its marker the program may start.
Result open_data_folder(SetupFiles& files, const std::string& folder);
// The run markers in these folders, so that every copy running from them ends.
Result remove_markers(SetupFiles& files, const std::vector<std::string>& folders);
// Uninstall with the data: the program's files in the data folder, then the folder if empty.
Result remove_data(SetupFiles& files, const std::string& folder);
// An earlier installation outside Program Files: its program files, then the folder if empty
// (the data it holds stays, for the administrator to see).
Result remove_old_install(SetupFiles& files, const std::string& folder);

}  // namespace vantelmoor::setup

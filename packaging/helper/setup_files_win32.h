#pragma once
// The setup's file operations on the real file system. It runs elevated: with the backup and
// restore privileges on, it opens what a user made there whatever access list the user gave it,
// and it never follows a link or a junction.

#include <windows.h>

#include <map>
#include <string>

#include "helper/setup_files.h"
#include "platform/win32/handles.h"

namespace vantelmoor::setup {

class Win32SetupFiles final : public SetupFiles {
public:
    Win32SetupFiles();

    Found hold(const std::string& path) override;
    Failure rename_held(const std::string& path, const std::string& new_path) override;
    Failure make_data_folder(const std::string& path) override;
    Failure share_data_folder(const std::string& path) override;
    Failure make_marker(const std::string& path) override;
    PlainRead read_plain(const std::string& path, std::size_t largest) override;
    Failure write_new(const std::string& path, std::string_view bytes) override;
    Failure remove_name(const std::string& path) override;
    Failure remove_if_empty(const std::string& path) override;
    std::string random_suffix() override;

private:
    Failure check_inside(HANDLE opened, const std::string& path);

    struct Held {
        win32::FileHandle handle;
        Found found = Found::Nothing;
        std::string failure;  // why it could not be opened
    };
    std::map<std::string, Held> held_;
};

// Turns on one of the process's privileges ("SeBackupPrivilege", ...); false when it has none.
bool enable_privilege(const wchar_t* name);

}  // namespace vantelmoor::setup

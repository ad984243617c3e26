// access-helper: setup's and the uninstaller's work in places standard users can write, done
// without following a link and with whole access lists, never merged into what was there. Setup
// installs it into the program's folder and runs it from there.
//
//   access-helper data-folder FOLDER [EARLIER...]  a new shared data folder, the data carried over
//   access-helper run-marker FOLDER                 the installed copy's run marker in it, then the
//                                                   folder opened to users
//   access-helper settings-key KEY                  HKLM\KEY made, with its whole access list
//   access-helper end-copies EXECUTABLE [FOLDER...] the run markers in the folders go; then every
//                                                   copy of EXECUTABLE, in every session, ends
//   access-helper retire FILE                       a program file deleted, or renamed aside in use
//   access-helper remove-data FOLDER                the program's data files, then the folder if empty
//   access-helper remove-old-install FOLDER         an earlier setup's program files there, likewise
//
// What it did is printed, one line each, for setup's details. Exit status: 0 done, 1 failed (the
// reason on standard error), 2 wrong use, 3 the old data folder is in use, 4 a file in use was
// renamed aside and goes at the next restart.

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "helper/data_folder.h"
#include "helper/running_copies_win32.h"
#include "helper/setup_files_win32.h"
#include "platform/win32/access_lists.h"
#include "platform/win32/handles.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace {

using namespace vantelmoor;

constexpr unsigned kWaitForCopiesMs = 15000;

int fail(const std::string& reason) {
    std::fprintf(stderr, "access-helper: %s\n", reason.c_str());
    return 1;
}

int usage() {
    std::fprintf(stderr,
                 "usage: access-helper data-folder FOLDER [EARLIER...] | run-marker FOLDER | settings-key KEY |\n"
                 "       end-copies EXECUTABLE [FOLDER...] | retire FILE | remove-data FOLDER |\n"
                 "       remove-old-install FOLDER\n");
    return 2;
}

int finish(const setup::Result& result) {
    for (const std::string& line : result.report) std::printf("%s\n", line.c_str());
    switch (result.outcome) {
        case setup::Outcome::Done: return 0;
        case setup::Outcome::InUse: std::fprintf(stderr, "%s\n", result.report.front().c_str()); return 3;
        case setup::Outcome::Failed: return fail(result.report.front());
    }
    return 1;
}

int settings_key(const std::string& path) {
    HKEY raw = nullptr;
    const LONG made =
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, win32::wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &raw, nullptr);
    if (made != ERROR_SUCCESS) return fail("making HKLM\\" + path + ": " + win32::system_error_text(made));
    const win32::RegistryKeyHandle key(raw);
    win32::SecurityDescriptor access(win32::settings_key_access());
    const LONG set = RegSetKeySecurity(key.get(), access.parts(), access.get());
    if (set != ERROR_SUCCESS)
        return fail("setting the access list of HKLM\\" + path + ": " + win32::system_error_text(set));
    std::printf("Made: HKLM\\%s, which users may only read and set values in.\n", path.c_str());
    return 0;
}

int end_copies(const std::string& executable, const std::vector<std::string>& folders) {
    setup::Win32SetupFiles files;
    if (const int status = finish(setup::remove_markers(files, folders))) return status;
    const setup::EndedCopies copies = setup::end_running_copies(executable, kWaitForCopiesMs);
    std::printf("Copies of %s that ended: %d by themselves, %d made to.\n", executable.c_str(), copies.ended,
                copies.terminated);
    for (const std::string& failure : copies.failures) std::printf("Note: %s.\n", failure.c_str());
    return 0;
}

int retire(const std::string& path) {
    std::string failure;
    const bool in_use = setup::retire_file(path, failure);
    if (!failure.empty()) return fail(path + " could not be replaced: " + failure);
    if (!in_use) return 0;
    std::printf("In use: %s is renamed aside and goes when Windows restarts.\n", path.c_str());
    return 4;
}

int run(const std::vector<std::string>& args) {
    if (args.size() < 2) return usage();
    const std::string& command = args[0];
    const std::vector<std::string> rest(args.begin() + 2, args.end());
    setup::Win32SetupFiles files;
    if (command == "data-folder") return finish(setup::prepare_data_folder(files, args[1], rest));
    if (args.size() == 2 && command == "run-marker") return finish(setup::open_data_folder(files, args[1]));
    if (args.size() == 2 && command == "settings-key") return settings_key(args[1]);
    if (command == "end-copies") return end_copies(args[1], rest);
    if (args.size() == 2 && command == "retire") return retire(args[1]);
    if (args.size() == 2 && command == "remove-data") return finish(setup::remove_data(files, args[1]));
    if (args.size() == 2 && command == "remove-old-install") return finish(setup::remove_old_install(files, args[1]));
    return usage();
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}

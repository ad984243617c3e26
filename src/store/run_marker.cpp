#include "store/run_marker.h"

namespace vantelmoor {

std::string run_marker_path(const std::string& directory) { return directory + "\\Vantelmoor.flg"; }

std::optional<std::string> ensure_run_marker(FileSystem& files, const DataDirectory& data) {
    const std::string marker = run_marker_path(data.path);
    if (data.installed) {
        if (files.file_exists(marker)) return std::nullopt;
        return "An administrator has stopped Vantelmoor on this computer (" + marker +
               " is gone), so it ends.\r\rIt starts again once Vantelmoor's setup has been run again.";
    }
    if (const auto failure = files.create_if_absent(marker)) {
        return "Vantelmoor cannot create files in " + data.path + " (" + *failure +
               "), so it cannot keep its block list and call log, and it ends.\r\rRun it from a folder you can "
               "write to, or install it with its setup program.";
    }
    return std::nullopt;
}

}  // namespace vantelmoor

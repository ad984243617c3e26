#include "helper/data_folder.h"

#include <array>

#include "store/block_list.h"
#include "store/call_log.h"
#include "store/rule_counts.h"

namespace vantelmoor::setup {
namespace {

constexpr std::string_view kMarker = "Vantelmoor.flg";
constexpr std::array<std::string_view, 5> kProgramFiles{"Vantelmoor.exe", "VantelmoorReadme.txt", "Uninstall.exe",
                                                        "grant-access.exe", kMarker};

std::string in(const std::string& folder, std::string_view name) { return folder + "\\" + std::string(name); }

// Removes these names from a held folder, then the folder if nothing else is in it.
void clear_out(SetupFiles& files, const std::string& folder, const std::vector<std::string_view>& names,
               Result& result) {
    for (const std::string_view name : names) {
        if (const Failure failure = files.remove_name(in(folder, name))) {
            result.report.push_back("Not removed: " + in(folder, name) + " (" + *failure + ").");
        }
    }
    if (const Failure stays = files.remove_if_empty(folder)) {
        result.report.push_back("Kept: " + folder + " (" + *stays + ").");
    } else {
        result.report.push_back("Removed: " + folder + ".");
    }
}

std::vector<std::string_view> data_names() {
    std::vector<std::string_view> names;
    for (const DataFile& file : data_files()) names.push_back(file.name);
    names.push_back(kMarker);
    return names;
}

}  // namespace

const std::vector<DataFile>& data_files() {
    static const std::vector<DataFile> files{{"Vantelmoor.dat", kLargestBlockList},
                                             {"VantelmoorAllow.dat", kLargestBlockList},
                                             {"Vantelmoor.log", kLargestCallLog},
                                             {"VantelmoorCounts.dat", kLargestRuleCounts}};
    return files;
}

Result prepare_data_folder(SetupFiles& files, const std::string& folder, const std::vector<std::string>& earlier) {
    Result result;
    std::vector<std::string> sources;
    std::string aside;
    if (const Found found = files.hold(folder); found != Found::Nothing) {
        aside = folder + ".old-" + files.random_suffix();
        if (const Failure failure = files.rename_held(folder, aside)) {
            return {
                Outcome::InUse,
                {folder + " could not be moved aside (" + *failure +
                 "): a user of this computer has a file open in it. Sign the other users out and run setup again."}};
        }
        result.report.push_back("Moved aside: " + folder + " is now " + aside + ".");
        if (found == Found::Folder) {
            sources.push_back(aside);
        } else {
            result.report.push_back("It was no folder (a file or a link): nothing was read from it.");
            aside.clear();
        }
    }
    if (const Failure failure = files.make_data_folder(folder)) {
        return {Outcome::Failed, {folder + " could not be made (" + *failure + ")."}};
    }
    for (const std::string& other : earlier) {
        if (files.hold(other) == Found::Folder) sources.push_back(other);
    }
    // From the folder moved aside, only what was carried over goes: what was not taken stays there
    // for the administrator to see.
    std::vector<std::string_view> carried{kMarker};
    for (const DataFile& file : data_files()) {
        for (const std::string& source : sources) {
            const PlainRead read = files.read_plain(in(source, file.name), file.largest);
            if (!read.bytes) {
                if (!read.why_not.empty())
                    result.report.push_back("Not taken: " + in(source, file.name) + " (" + read.why_not + ").");
                continue;
            }
            if (const Failure failure = files.write_new(in(folder, file.name), *read.bytes)) {
                return {Outcome::Failed, {in(folder, file.name) + " could not be written (" + *failure + ")."}};
            }
            result.report.push_back("Carried over: " + in(source, file.name) + ".");
            if (source == aside) carried.push_back(file.name);
            break;
        }
    }
    if (!aside.empty()) clear_out(files, aside, carried, result);
    return result;
}

Result open_data_folder(SetupFiles& files, const std::string& folder) {
    if (files.hold(folder) != Found::Folder) return {Outcome::Failed, {folder + " is no folder."}};
    if (const Failure failure = files.make_marker(in(folder, kMarker))) {
        return {Outcome::Failed, {"The run marker could not be made in " + folder + " (" + *failure + ")."}};
    }
    if (const Failure failure = files.share_data_folder(folder)) {
        return {Outcome::Failed, {folder + " could not be opened to users (" + *failure + ")."}};
    }
    return {Outcome::Done, {"Opened to users: " + folder + ", with the run marker in it."}};
}

Result remove_markers(SetupFiles& files, const std::vector<std::string>& folders) {
    Result result;
    for (const std::string& folder : folders) {
        if (files.hold(folder) != Found::Folder) continue;
        if (const Failure failure = files.remove_name(in(folder, kMarker))) {
            return {Outcome::Failed, {in(folder, kMarker) + " could not be removed (" + *failure + ")."}};
        }
    }
    return result;
}

Result remove_data(SetupFiles& files, const std::string& folder) {
    Result result;
    if (files.hold(folder) != Found::Folder) {
        result.report.push_back("Left as it is: " + folder + " is no folder.");
        return result;
    }
    clear_out(files, folder, data_names(), result);
    return result;
}

Result remove_old_install(SetupFiles& files, const std::string& folder) {
    Result result;
    if (files.hold(folder) != Found::Folder) return result;
    clear_out(files, folder, {kProgramFiles.begin(), kProgramFiles.end()}, result);
    return result;
}

}  // namespace vantelmoor::setup

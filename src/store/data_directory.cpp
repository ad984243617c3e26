#include "store/data_directory.h"

#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

// A path as the file system compares it: without the "\\?\" a final path starts with, without
// trailing backslashes.
std::string comparable(std::string_view path) {
    if (path.starts_with("\\\\?\\UNC\\")) {
        path.remove_prefix(8);
        std::string unc = "\\\\" + std::string(path);
        return comparable(unc);
    }
    if (path.starts_with("\\\\?\\")) path.remove_prefix(4);
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
    return std::string(path);
}

}  // namespace

bool is_installed_copy(const InstallFacts& facts) {
    const std::string location = comparable(facts.install_location);
    const std::string program_files = comparable(facts.program_files);
    if (location.empty() || program_files.empty()) return false;
    const bool under_program_files = location.size() > program_files.size() + 1 &&
                                     equals_ignoring_case(location.substr(0, program_files.size()), program_files) &&
                                     location[program_files.size()] == '\\';
    return under_program_files && equals_ignoring_case(comparable(facts.executable), location + "\\Vantelmoor.exe");
}

DataDirectory choose_data_directory(FileSystem& files, const InstallFacts& facts) {
    const std::string shared = facts.common_data + "\\Vantelmoor";
    if (is_installed_copy(facts)) {
        return {shared, "The block list and the call log are kept in " + shared + ", for every user of this computer.",
                true};
    }
    if (files.can_create_files_in(facts.program_dir)) {
        return {facts.program_dir,
                "The block list, the call log and the run marker are kept in " + facts.program_dir + "."};
    }
    if (const auto failure = files.create_directory(shared)) {
        return {facts.program_dir, facts.program_dir + " cannot be written to, and " + shared + " could not be made (" +
                                       *failure + "): the block list and the call log cannot be kept."};
    }
    return {shared, facts.program_dir +
                        " cannot be written to, so the block list, the call log and the run marker are kept in " +
                        shared + "."};
}

}  // namespace vantelmoor

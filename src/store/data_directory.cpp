#include "store/data_directory.h"

namespace vantelmoor {

DataDirectory choose_data_directory(FileSystem& files, const std::string& program_dir, const std::string& common_data) {
    if (files.can_create_files_in(program_dir)) {
        return {program_dir, "The block list, the call log and the run marker are kept in " + program_dir + "."};
    }
    const std::string shared = common_data + "\\Vantelmoor";
    if (const auto failure = files.create_directory(shared)) {
        return {program_dir, program_dir + " cannot be written to, and " + shared + " could not be made (" + *failure +
                                 "): the block list and the call log cannot be kept."};
    }
    return {shared, program_dir + " cannot be written to, so the block list, the call log and the run marker are kept in " +
                        shared + "."};
}

}  // namespace vantelmoor

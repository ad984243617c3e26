#pragma once
// The personal block list: "Vantelmoor.dat" in the data folder (see data_directory.h), 40-byte records of a
// 20-character name and a 20-character number, space-padded ANSI, no header, kept sorted by name
// then number. Screening and every addition read the file afresh.
//
// The file is the truth: an entry is added to the list as the file holds it, and a list whose file
// could not be read is never written over it. The store says what happened; the windows tell
// the user.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_store.h"
#include "store/record_file.h"

namespace vantelmoor {

inline constexpr std::size_t kBlockRecordSize = 40;
inline constexpr std::size_t kBlockFieldSize = 20;
inline constexpr std::size_t kMaxListEntries = 32767;
// A file larger than a full list and a record's slack is no block list.
inline constexpr std::size_t kLargestBlockList = (kMaxListEntries + 1) * kBlockRecordSize;

struct BlockEntry {
    std::string name;    // trimmed
    std::string number;  // trimmed
    friend bool operator==(const BlockEntry&, const BlockEntry&) = default;
};

enum class AddResult { Added, Duplicate, Full, Unreadable, NotSaved, OnlyPatterns };

struct AddOutcome {
    AddResult result = AddResult::Added;
    std::string reason;  // the system's words, for Unreadable and NotSaved
};

std::string block_list_path(const std::string& directory);
// The never-block list beside it: the same records, in "VantelmoorAllow.dat". A caller it covers is
// never answered, whatever the block list or the options say.
std::string allow_list_path(const std::string& directory);

// Every record of the file's bytes, fields trimmed; a trailing partial record reads as the bytes
// that are there, padded with spaces.
std::vector<BlockEntry> read_block_records(std::string_view bytes);
// The file's bytes for these entries, in this order.
std::string write_block_records(const std::vector<BlockEntry>& entries);

class BlockList {
public:
    BlockList(FileStore& files, std::string path);

    // Whether the file can be read as it is now.
    [[nodiscard]] FileOutcome load_list();
    // A caller's name and number as the callers pad them (20 characters each); a field holding * or
    // ? is left out. The duplicate test and the new list are taken from the file as it is now.
    [[nodiscard]] AddOutcome add_block(const std::string& caller_name, const std::string& caller_number);

    [[nodiscard]] const std::string& path() const { return path_; }

private:
    FileStore& files_;
    std::string path_;
};

}  // namespace vantelmoor

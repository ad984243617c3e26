#pragma once
// The personal block list: "\Vantelmoor.dat" in the program directory, 40-byte records of a
// 20-character name and a 20-character number, space-padded ANSI, no header. The monitor window
// keeps a sorted working copy (List1); screening reads the file afresh for every call.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs.h"
#include "platform/file_store.h"

namespace vantelmoor {

inline constexpr std::size_t kBlockRecordSize = 40;
inline constexpr std::size_t kBlockFieldSize = 20;
inline constexpr std::size_t kMaxListEntries = 32767;

struct BlockEntry {
    std::string name;    // trimmed
    std::string number;  // trimmed
    friend bool operator==(const BlockEntry&, const BlockEntry&) = default;
};

std::string block_list_path(const std::string& program_dir);

// Every record of the file's bytes, fields trimmed; a trailing partial record reads as the bytes
// that are there, padded with spaces.
std::vector<BlockEntry> read_block_records(std::string_view bytes);
// The file's bytes for these entries, in this order.
std::string write_block_records(const std::vector<BlockEntry>& entries);

class BlockList {
public:
    // on_added: what the monitor window does after an entry was added (disable "&Block Future Calls").
    BlockList(FileStore& files, Dialogs& dialogs, std::string path, std::function<void()> on_added);

    void load_list();
    // Rewrites the file from the working copy; false when the rewrite failed (the old file stays).
    bool update();
    // name and number: exactly 20 characters each, as the callers pad them.
    void add_block(const std::string& name, const std::string& number);

    // List1: sorted by name (padded to 20) then number, ignoring case.
    [[nodiscard]] const std::vector<BlockEntry>& entries() const { return entries_; }
    [[nodiscard]] const std::string& path() const { return path_; }

private:
    void insert_sorted(BlockEntry entry);

    FileStore& files_;
    Dialogs& dialogs_;
    std::string path_;
    std::function<void()> on_added_;
    std::vector<BlockEntry> entries_;
};

}  // namespace vantelmoor

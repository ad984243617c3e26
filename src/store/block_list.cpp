#include "store/block_list.h"

#include <algorithm>
#include <utility>

#include "store/caller_pattern.h"
#include "store/fixed_text.h"
#include "store/record_file.h"

namespace vantelmoor {
namespace {

unsigned char folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// The field as the list shows it (padded or cut to 20), compared ignoring case.
int compare_field(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < kBlockFieldSize; ++i) {
        const unsigned char x = folded(i < a.size() ? a[i] : ' ');
        const unsigned char y = folded(i < b.size() ? b[i] : ' ');
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

bool listed_before(const BlockEntry& a, const BlockEntry& b) {
    const int by_name = compare_field(a.name, b.name);
    return by_name != 0 ? by_name < 0 : compare_field(a.number, b.number) < 0;
}

std::string upper_case(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

}  // namespace

std::string block_list_path(const std::string& directory) { return directory + "\\Vantelmoor.dat"; }

std::string allow_list_path(const std::string& directory) { return directory + "\\VantelmoorAllow.dat"; }

std::vector<BlockEntry> read_block_records(std::string_view bytes) {
    std::vector<BlockEntry> entries;
    for (const std::string& record : split_records(bytes, kBlockRecordSize)) {
        const std::string_view fields(record);
        entries.push_back({std::string(trim(fields.substr(0, kBlockFieldSize))),
                           std::string(trim(fields.substr(kBlockFieldSize, kBlockFieldSize)))});
    }
    return entries;
}

std::string write_block_records(const std::vector<BlockEntry>& entries) {
    std::string bytes;
    bytes.reserve(entries.size() * kBlockRecordSize);
    for (const BlockEntry& entry : entries) {
        append_field(bytes, entry.name, kBlockFieldSize);
        append_field(bytes, entry.number, kBlockFieldSize);
    }
    return bytes;
}

BlockList::BlockList(FileStore& files, std::string path) : files_(files), path_(std::move(path)) {}

FileOutcome BlockList::load_list() {
    const FileRead read = files_.read_all(path_, kLargestBlockList);
    return read.bytes ? FileOutcome{} : FileOutcome{FileProblem::Unreadable, read.failure};
}

AddOutcome BlockList::add_block(const std::string& caller_name, const std::string& caller_number) {
    const FileRead read = files_.read_all(path_, kLargestBlockList);
    if (!read.bytes) return {AddResult::Unreadable, read.failure};
    std::vector<BlockEntry> listed = read_block_records(*read.bytes);
    const auto is_listed = [&](std::string_view name, std::string_view number) {
        return std::ranges::any_of(listed, [&](const BlockEntry& entry) {
            return equals_ignoring_case(entry.name, trim(name)) && equals_ignoring_case(entry.number, trim(number));
        });
    };
    // A caller chooses what its report says: a * or ? in it would make the entry a pattern that
    // blocks other callers too, so that field is left out.
    const std::string name = is_pattern(caller_name) ? std::string() : caller_name;
    const std::string number = is_pattern(caller_number) ? std::string() : caller_number;
    if (is_listed(caller_name, caller_number) || is_listed(name, number)) return {AddResult::Duplicate, {}};
    const bool left_out = name != caller_name || number != caller_number;
    if (left_out && trim(name).empty() && trim(number).empty()) return {AddResult::OnlyPatterns, {}};
    if (listed.size() >= kMaxListEntries) return {AddResult::Full, {}};

    // A stable sort keeps alike entries in the file's order.
    std::ranges::stable_sort(listed, listed_before);
    BlockEntry entry{upper_case(trim(name)), std::string(trim(number))};
    listed.insert(std::ranges::upper_bound(listed, entry, listed_before), std::move(entry));
    if (const FileFailure failure = files_.replace(path_, write_block_records(listed))) {
        return {AddResult::NotSaved, *failure};
    }
    return {AddResult::Added, {}};
}

}  // namespace vantelmoor

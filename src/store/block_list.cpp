#include "store/block_list.h"

#include <algorithm>
#include <utility>

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

void block_box(Dialogs& dialogs, const std::string& text) {
    dialogs.message_box(text, "Block Call", MessageIcon::Exclamation, MessageButtons::Ok, Modality::System);
}

}  // namespace

std::string block_list_path(const std::string& program_dir) { return program_dir + "\\Vantelmoor.dat"; }

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

BlockList::BlockList(FileStore& files, Dialogs& dialogs, std::string path, std::function<void()> on_added)
    : files_(files), dialogs_(dialogs), path_(std::move(path)), on_added_(std::move(on_added)) {}

void BlockList::load_list() {
    entries_.clear();
    std::vector<BlockEntry> records = read_block_records(files_.read_all(path_).value_or(""));
    if (records.size() > kMaxListEntries) records.resize(kMaxListEntries);
    // A stable sort puts each record where inserting them one by one in file order would.
    std::ranges::stable_sort(records, listed_before);
    entries_ = std::move(records);
}

bool BlockList::update() { return files_.replace(path_, write_block_records(entries_)); }

void BlockList::add_block(const std::string& name, const std::string& number) {
    // Screening reads the file, so the file (not the list) decides what is already blocked.
    const std::vector<BlockEntry> blocked = read_block_records(files_.read_all(path_).value_or(""));
    const bool already = std::ranges::any_of(blocked, [&](const BlockEntry& entry) {
        return equals_ignoring_case(entry.name, trim(name)) && equals_ignoring_case(entry.number, trim(number));
    });
    if (already) {
        block_box(dialogs_, "This name/number is already being blocked.");
        return;
    }
    if (entries_.size() >= kMaxListEntries) {
        block_box(dialogs_, "The block list is full (32,767 entries). Remove some entries before adding another.");
        return;
    }
    insert_sorted({upper_case(trim(name)), std::string(trim(number))});
    // The entry is in the list even when the save fails (the next update writes the whole list), so
    // the caller hears of it either way.
    update();
    if (on_added_) on_added_();
}

void BlockList::insert_sorted(BlockEntry entry) {
    const auto place = std::ranges::upper_bound(entries_, entry, listed_before);
    entries_.insert(place, std::move(entry));
}

}  // namespace vantelmoor

// Arbitrary bytes as a block list file and as a call log file, read directly and through the
// monitor window's two lists: no crash, no undefined behaviour; every record is counted (length
// over record size, rounded to nearest, halves to even); every call line has 65 columns; what is
// written from what was read reads the same again; and every record of the file counts as
// already blocked.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_file_store.h"
#include "store/block_list.h"
#include "store/call_log.h"
#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

std::size_t expected_records(std::size_t size, std::size_t record_size) {
    return static_cast<std::size_t>(std::nearbyint(static_cast<double>(size) / static_cast<double>(record_size)));
}

void block_list_file(std::string_view bytes) {
    const std::vector<BlockEntry> entries = read_block_records(bytes);
    check(entries.size() == expected_records(bytes.size(), kBlockRecordSize));
    for (const BlockEntry& entry : entries) {
        check(entry.name.size() <= kBlockFieldSize && entry.number.size() <= kBlockFieldSize);
        check(trim(entry.name) == entry.name && trim(entry.number) == entry.number);
    }
    const std::string written = write_block_records(entries);
    check(written.size() == entries.size() * kBlockRecordSize);
    check(read_block_records(written) == entries);

    test::FakeFileStore files;
    BlockList list(files, "Vantelmoor.dat");
    files.files[list.path()] = std::string(bytes);
    check(list.load_list().ok());
    check(files.files[list.path()] == bytes);  // loading never writes
    if (entries.empty()) return;
    const BlockEntry& first = entries.front();
    const AddOutcome outcome =
        list.add_block(fixed_width(first.name, kBlockFieldSize), fixed_width(first.number, kBlockFieldSize));
    check(outcome.result == AddResult::Duplicate && files.replaces == 0);
}

void call_log_file(std::string_view bytes) {
    const std::vector<std::string> lines = read_call_records(bytes);
    check(lines.size() == expected_records(bytes.size(), kCallRecordSize));
    check(std::ranges::all_of(lines, [](const std::string& line) { return line.size() == kCallLineSize; }));
    const std::string written = write_call_records(lines);
    check(written.size() == lines.size() * kCallRecordSize);
    check(read_call_records(written) == lines);

    test::FakeFileStore files;
    CallLog log(files, "Vantelmoor.log");
    files.files[log.path()] = std::string(bytes);
    check(log.load_list2().ok());
    const auto newest = lines.end() - static_cast<std::ptrdiff_t>(std::min(lines.size(), kMaxLogRecords));
    check(std::equal(log.lines().begin(), log.lines().end(), newest, lines.end()));
    check(log.save().ok() && files.files[log.path()] == write_call_records(log.lines()));
}

}  // namespace
}  // namespace vantelmoor

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vantelmoor::block_list_file(bytes);
    vantelmoor::call_log_file(bytes);
    return 0;
}

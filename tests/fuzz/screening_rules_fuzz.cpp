// Lists come from the internet: arbitrary bytes as a list file to import, and as entries and
// callers for the matcher. No crash, no undefined behaviour, no endless pattern; every entry
// imported fits a record and would be kept; a list written as CSV reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fakes/fake_file_store.h"
#include "store/caller_pattern.h"
#include "store/list_exchange.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantelmoor;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const test::Latin1 codec;
    const ImportedList list = read_list_file(bytes, codec);
    for (const BlockEntry& entry : list.entries) {
        check(entry.name.size() <= kBlockFieldSize && entry.number.size() <= kBlockFieldSize);
        check(!entry_fault(entry.name, entry.number));
    }
    check(read_list_file(list_csv(list.entries, codec), codec).entries == list.entries);

    // The first bytes as an entry, the rest as a caller: four fields cut where the input says.
    const std::size_t quarter = size / 4;
    const std::string_view name = bytes.substr(0, std::min<std::size_t>(quarter, 20));
    const std::string_view number = bytes.substr(quarter, std::min<std::size_t>(quarter, 20));
    const std::string_view caller_name = bytes.substr(2 * quarter, quarter);
    const std::string_view caller_number = bytes.substr(3 * quarter);
    (void)entry_covers(name, number, caller_name, caller_number);
    (void)entry_fault(name, number);
    return 0;
}

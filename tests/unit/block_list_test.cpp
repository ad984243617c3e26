// The block list file and the monitor window's sorted copy of it, over an in-memory file store:
// the exact bytes of the shared 40-byte records, how a file of any length is counted and read,
// and what adding a block does to the list, the file and the user.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_file_store.h"
#include "store/block_list.h"
#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

using test::FakeDialogs;
using test::FakeFileStore;

const std::string kPath = block_list_path("C:\\Program Files\\Vantelmoor");

std::string spaces(std::size_t count) { return std::string(count, ' '); }
std::string padded(const std::string& text) { return fixed_width(text, kBlockFieldSize); }

std::vector<BlockEntry> numbered_entries(std::size_t count, const std::string& name_prefix) {
    std::vector<BlockEntry> entries;
    for (std::size_t i = 0; i < count; ++i) entries.push_back({name_prefix + std::to_string(i), std::to_string(i)});
    return entries;
}

TEST(BlockRecordsTest, ATenCharacterNameAndTenDigitNumberAreExactlyFortyPaddedBytes) {
    EXPECT_EQ(block_list_path("C:\\Program Files\\Vantelmoor"), "C:\\Program Files\\Vantelmoor\\Vantelmoor.dat");
    EXPECT_EQ(write_block_records({{"JOHN SMITH", "5551234567"}}),
              "JOHN SMITH" + spaces(10) + "5551234567" + spaces(10));
    // Fields are trimmed, then cut to 20; no NUL, no header.
    EXPECT_EQ(write_block_records({{"  A  ", "123456789012345678901234"}, {"", ""}}),
              "A" + spaces(19) + "12345678901234567890" + spaces(40));
    EXPECT_EQ(write_block_records({}), "");
}

TEST(BlockRecordsTest, FieldsAreTrimmedAtBothEndsWhenRead) {
    const std::string bytes = padded("  JOHN SMITH") + padded("   555-1234") + padded("ANN") + padded("1");
    const std::vector<BlockEntry> expected{{"JOHN SMITH", "555-1234"}, {"ANN", "1"}};
    EXPECT_EQ(read_block_records(bytes), expected);
}

TEST(BlockRecordsTest, LengthIsCountedInRecordsRoundedToNearestWithHalvesToEven) {
    const std::string image = write_block_records(numbered_entries(3, "N"));
    const std::pair<std::size_t, std::size_t> cases[] = {{0, 0}, {19, 0}, {20, 0},  {21, 1}, {40, 1},
                                                         {60, 2}, {61, 2}, {100, 2}, {101, 3}, {120, 3}};
    for (const auto& [length, records] : cases) {
        EXPECT_EQ(read_block_records(std::string_view(image).substr(0, length)).size(), records) << length;
    }
}

TEST(BlockRecordsTest, ARecordCutShortByTheEndOfTheFileReadsOnlyTheBytesThatAreThere) {
    // The bytes after the file's end must never leak into its last record.
    const std::string memory = padded("ANN") + padded("111") + padded("BOB") + "222" + std::string(17, 'X');
    const std::string_view file = std::string_view(memory).substr(0, 63);
    const std::vector<BlockEntry> expected{{"ANN", "111"}, {"BOB", "222"}};
    EXPECT_EQ(read_block_records(file), expected);

    EXPECT_EQ(read_block_records(std::string_view(memory).substr(0, 61)).back(), (BlockEntry{"BOB", "2"}));
    EXPECT_EQ(read_block_records(std::string_view(memory).substr(0, 60)).back(), (BlockEntry{"BOB", ""}));
}

class BlockListTest : public ::testing::Test {
protected:
    FakeFileStore files;
    FakeDialogs dialogs;
    int added = 0;
    BlockList list{files, dialogs, kPath, [this] { ++added; }};

    void put_file(const std::vector<BlockEntry>& entries) { files.files[kPath] = write_block_records(entries); }
    std::vector<BlockEntry> file_entries() { return read_block_records(files.files[kPath]); }
    void add(const std::string& name, const std::string& number) { list.add_block(padded(name), padded(number)); }
};

TEST_F(BlockListTest, NoFileLoadsAnEmptyListAndAnEmptyListSavesAZeroByteFile) {
    list.load_list();
    EXPECT_TRUE(list.entries().empty());
    ASSERT_TRUE(files.files.contains(kPath));
    EXPECT_EQ(files.files[kPath], "");

    files.files[kPath] = padded("OLD") + padded("1");
    list.load_list();
    EXPECT_EQ(list.entries().size(), 1u);
    files.files[kPath] = "";
    list.load_list();  // the old entry does not linger in the copy
    EXPECT_TRUE(list.entries().empty());
    EXPECT_TRUE(list.update());
    EXPECT_EQ(files.replaces, 1);
    EXPECT_EQ(files.files[kPath], "");
}

TEST_F(BlockListTest, LoadingAndSavingKeepsTheBytesOfFullWidthFields) {
    const std::string bytes = "ABCDEFGHIJKLMNOPQRST" "12345678901234567890" + padded("X") + padded("1");
    files.files[kPath] = bytes;
    list.load_list();
    EXPECT_EQ(list.entries().front(), (BlockEntry{"ABCDEFGHIJKLMNOPQRST", "12345678901234567890"}));
    ASSERT_TRUE(list.update());
    EXPECT_EQ(files.files[kPath], bytes);
}

TEST_F(BlockListTest, TheCopyIsSortedByPaddedNameThenNumberIgnoringCase) {
    put_file({{"bob", "2"}, {"Alice", "9"}, {"ALICE B", "0"}, {"al", "5"}, {"alice", "1"}, {"Bob", "10"}});
    list.load_list();
    const std::vector<BlockEntry> sorted{{"al", "5"},  {"alice", "1"}, {"Alice", "9"},
                                         {"ALICE B", "0"}, {"Bob", "10"},  {"bob", "2"}};
    EXPECT_EQ(list.entries(), sorted);
    // The file keeps its order until the list is saved; then it holds the list's order.
    EXPECT_EQ(file_entries().front(), (BlockEntry{"bob", "2"}));
    ASSERT_TRUE(list.update());
    EXPECT_EQ(file_entries(), sorted);
}

TEST_F(BlockListTest, EntriesThatSortAlikeKeepTheirFileOrder) {
    put_file({{"bob", "1"}, {"BOB", "1"}, {"Bob", "1"}});
    list.load_list();
    const std::vector<BlockEntry> expected{{"bob", "1"}, {"BOB", "1"}, {"Bob", "1"}};
    EXPECT_EQ(list.entries(), expected);
}

TEST_F(BlockListTest, AddingUpperCasesTheNameKeepsTheNumberAndSavesInSortedPlace) {
    put_file({{"ANN", "1"}, {"ZED", "2"}});
    list.load_list();
    add("  Jane Caf\xe9", "555-0199 ext. a");
    const std::vector<BlockEntry> expected{{"ANN", "1"}, {"JANE CAF\xe9", "555-0199 ext. a"}, {"ZED", "2"}};
    EXPECT_EQ(list.entries(), expected);
    EXPECT_EQ(file_entries(), expected);
    EXPECT_EQ(files.files[kPath].substr(40, 40), "JANE CAF\xe9" + spaces(11) + "555-0199 ext. a" + spaces(5));
    EXPECT_EQ(added, 1);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BlockListTest, ADuplicateIgnoringCaseAndBlanksIsRefusedWithAMessageAndChangesNothing) {
    files.files[kPath] = padded("  John Doe") + padded("555-123-4567");
    list.load_list();
    const std::string before = files.files[kPath];

    add("JOHN DOE  ", "  555-123-4567");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const test::ShownBox& box = dialogs.shown[0];
    EXPECT_EQ(box.text, "This name/number is already being blocked.");
    EXPECT_EQ(box.title, "Block Call");
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.modality, Modality::System);
    EXPECT_EQ(list.entries().size(), 1u);
    EXPECT_EQ(files.files[kPath], before);
    EXPECT_EQ(files.replaces, 0);
    EXPECT_EQ(added, 0);

    // Dashes count, and so does a different name with the same number.
    add("John Doe", "5551234567");
    add("Jon Doe", "555-123-4567");
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(list.entries().size(), 3u);
    EXPECT_EQ(added, 2);
}

TEST_F(BlockListTest, TheFileNotTheCopyDecidesWhatIsAlreadyBlocked) {
    list.load_list();
    put_file({{"ADDED ELSEWHERE", "1"}});  // written by another tool after the list was loaded
    add("added elsewhere", "1");
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(list.entries().empty());
}

TEST_F(BlockListTest, AFullListRefusesAnotherEntryWithAMessageAndChangesNothing) {
    put_file(numbered_entries(kMaxListEntries, "CALLER "));
    list.load_list();
    ASSERT_EQ(list.entries().size(), kMaxListEntries);
    const std::string before = files.files[kPath];

    add("NEW CALLER", "5550100");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "The block list is full (32,767 entries). Remove some entries before adding another.");
    EXPECT_EQ(dialogs.shown[0].title, "Block Call");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(dialogs.shown[0].modality, Modality::System);
    EXPECT_EQ(list.entries().size(), kMaxListEntries);
    EXPECT_EQ(files.files[kPath], before);
    EXPECT_EQ(added, 0);
}

TEST_F(BlockListTest, ALongerFileIsReadWholeAndTheListKeepsItsFirst32767Records) {
    // The records past the limit would sort first, so a list that kept the wrong ones shows it.
    std::vector<BlockEntry> records = numbered_entries(kMaxListEntries, "M");
    const std::vector<BlockEntry> beyond = numbered_entries(5000, "A");
    records.insert(records.end(), beyond.begin(), beyond.end());
    put_file(records);

    EXPECT_EQ(read_block_records(files.files[kPath]), records);
    list.load_list();
    ASSERT_EQ(list.entries().size(), kMaxListEntries);
    EXPECT_EQ(list.entries().front(), (BlockEntry{"M0", "0"}));
    EXPECT_TRUE(std::ranges::none_of(list.entries(), [](const BlockEntry& entry) { return entry.name[0] == 'A'; }));
}

TEST_F(BlockListTest, AFailedSaveKeepsTheOldFileAndTheCopyAndTheNextSaveWritesEverything) {
    put_file({{"ANN", "1"}});
    list.load_list();
    const std::string before = files.files[kPath];

    files.fail_replace = true;
    add("BOB", "2");
    EXPECT_EQ(files.files[kPath], before);
    EXPECT_EQ(list.entries().size(), 2u);
    EXPECT_EQ(added, 1);  // the entry is in the list, so the caller disables its button
    EXPECT_FALSE(list.update());

    files.fail_replace = false;
    EXPECT_TRUE(list.update());
    const std::vector<BlockEntry> expected{{"ANN", "1"}, {"BOB", "2"}};
    EXPECT_EQ(file_entries(), expected);
}

}  // namespace
}  // namespace vantelmoor

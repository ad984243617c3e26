// The block list's and the call log's files: their bytes, and files too long, cut short, unreadable or not rewritten.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_file_store.h"
#include "store/block_list.h"
#include "store/call_log.h"
#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

using test::FakeFileStore;

std::string spaces(std::size_t count) { return std::string(count, ' '); }
std::string padded(const std::string& text) { return fixed_width(text, kBlockFieldSize); }

std::string entries(std::size_t first, std::size_t count) {
    std::vector<BlockEntry> list;
    for (std::size_t i = first; i < first + count; ++i)
        list.push_back({"CALLER " + std::to_string(i), "555" + std::to_string(i)});
    return write_block_records(list);
}
std::string line(std::size_t i) {
    return call_log_line("01/02", "03:04 PM", "CALLER " + std::to_string(i), std::to_string(5550000000 + i), i % 2);
}
std::string calls(std::size_t first, std::size_t count) {
    std::vector<std::string> lines;
    for (std::size_t i = first; i < first + count; ++i) lines.push_back(line(i));
    return write_call_records(lines);
}

TEST(RecordFormatTest, FieldsArePaddedToTheirWidthRecordsCountedToTheNearestAndACutOneHoldsOnlyItsBytes) {
    EXPECT_EQ(write_block_records({{"JOHN SMITH", "5551234567"}, {"  A  ", "123456789012345678901234"}}),
              "JOHN SMITH" + spaces(10) + "5551234567" + spaces(10) + "A" + spaces(19) + "12345678901234567890");
    EXPECT_EQ(read_block_records(padded("  JOHN") + padded(" 555-1234")),
              (std::vector<BlockEntry>{{"JOHN", "555-1234"}}));
    const std::string allowed = call_log_line(" 03/21 ", "", "A NAME LONGER THAN TWENTY", "", false);
    EXPECT_EQ(write_call_records({allowed}), "03/21" + spaces(15) + "A NAME LONGER THAN T" + spaces(20) + '\0');
    // Each field is taken from its columns, trimmed; a line cut short gives a space as its marker.
    EXPECT_EQ(write_call_records({"  03/21   |  2:05 PM |  JOHN" + spaces(14) + "|  555" + spaces(15) + "|Y"}),
              "03/21" + spaces(5) + "2:05 PM" + spaces(3) + "JOHN" + spaces(16) + "555" + spaces(17) + "Y");
    EXPECT_EQ(write_call_records({"03/21"}), "03/21" + spaces(56));
    // Reading keeps the marker byte as it is: only "Y" means blocked.
    EXPECT_EQ(read_call_records(write_call_records({allowed}).substr(0, 60) + "\x7f").front().back(), '\x7f');
    // Records are counted to the nearest, halves to even; what lies past a file's end never leaks into the last.
    const std::string list = entries(0, 3);
    for (const auto& [length, count] : {std::pair{19, 0}, {21, 1}, {60, 2}, {100, 2}, {101, 3}})
        EXPECT_EQ(read_block_records(list.substr(0, length)).size(), std::size_t(count)) << length;
    EXPECT_EQ(read_block_records(list.substr(0, 63)).back(), (BlockEntry{"CALLER 1", "555"}));
}

class BlockListTest : public ::testing::Test {
protected:
    FakeFileStore files;
    BlockList list{files, "C:\\V\\Vantelmoor.dat"};

    std::string& file() { return files.files[list.path()]; }
    AddResult add(const std::string& name, const std::string& number) {
        return list.add_block(padded(name), padded(number)).result;
    }
};

// An entry goes where the list's sort puts it: by padded name, then number, ignoring case; alike ones keep file order.
TEST_F(BlockListTest, AnAddedEntryIsSortedInByPaddedNameThenNumberIgnoringCase) {
    file() = write_block_records(
        {{"bob", "2"}, {"Alice", "9"}, {"ALICE B", "0"}, {"al", "5"}, {"alice", "1"}, {"BOB", "2"}, {"Bob", "10"}});
    ASSERT_EQ(add("Alice", "5"), AddResult::Added);
    const std::vector<BlockEntry> sorted{{"al", "5"},      {"alice", "1"}, {"ALICE", "5"}, {"Alice", "9"},
                                         {"ALICE B", "0"}, {"Bob", "10"},  {"bob", "2"},   {"BOB", "2"}};
    EXPECT_EQ(read_block_records(file()), sorted);
}

// The file, as it is now, decides what is blocked already: another window may have added to it.
TEST_F(BlockListTest, AddingUpperCasesTheNameAndTheFileDecidesWhatIsAlreadyBlocked) {
    file() = padded("  John Doe") + padded("555-123-4567") + padded("ZED") + padded("2");
    EXPECT_EQ(add("JOHN DOE  ", "  555-123-4567"), AddResult::Duplicate);
    EXPECT_EQ(files.replaces, 0);
    EXPECT_EQ(add("John Doe", "5551234567"), AddResult::Added);  // dashes count
    EXPECT_EQ(add("  Jane Caf\xe9", "555-0199 ext. a"), AddResult::Added);
    EXPECT_EQ(add("*", "555-000-1111"), AddResult::Added);  // a caller named "*" would block every caller
    EXPECT_EQ(add("WHO?", "1-800-*"), AddResult::OnlyPatterns);
    const std::vector<BlockEntry> expected{{"", "555-000-1111"},
                                           {"JANE CAF\xe9", "555-0199 ext. a"},
                                           {"John Doe", "555-123-4567"},
                                           {"JOHN DOE", "5551234567"},
                                           {"ZED", "2"}};
    EXPECT_EQ(read_block_records(file()), expected);
}

// Any user can write the file: one larger than a full list and a record's slack is never written over.
TEST_F(BlockListTest, AFullListTakesNoMoreAndAFileTooLargeToBeOneIsNeverWrittenOver) {
    file() = entries(0, kMaxListEntries);
    EXPECT_EQ(add("NEW CALLER", "5550100"), AddResult::Full);
    file() += entries(kMaxListEntries, 1);
    EXPECT_TRUE(list.load_list().ok());
    file() += ' ';
    EXPECT_FALSE(list.load_list().ok());
    EXPECT_EQ(add("NEW CALLER", "5550100"), AddResult::Unreadable);
    EXPECT_EQ(files.replaces, 0);
    file() = "";
    files.fail_replace = true;
    EXPECT_EQ(add("NEW CALLER", "5550100"), AddResult::NotSaved);
}

class CallLogTest : public ::testing::Test {
protected:
    FakeFileStore files;
    CallLog log{files, "C:\\V\\Vantelmoor.log"};
    std::string& file() { return files.files[log.path()]; }
};

// Another writer may have added a call meanwhile; calls that could not be written wait for the next save.
TEST_F(CallLogTest, ASaveWritesTheFileOnDiskThenEveryCallNotYetWrittenAFullLogDropsItsOldestALargerFileIsNoLog) {
    file() = calls(0, 2);
    ASSERT_TRUE(log.load_list2().ok());
    file() = calls(0, 3);
    files.unreadable.insert(log.path());
    log.append(line(3));
    EXPECT_EQ(log.save().problem, FileProblem::Unreadable);
    files.unreadable.clear();
    files.fail_replace = true;
    log.append(line(4));
    EXPECT_EQ(log.save().problem, FileProblem::NotSaved);
    files.fail_replace = false;
    log.append(line(5));
    ASSERT_TRUE(log.save().ok());
    EXPECT_EQ(file(), calls(0, 6));

    file() = calls(0, kMaxLogRecords + 1);  // nothing is left unsaved: the file's newest calls alone
    ASSERT_TRUE(log.load_list2().ok());
    EXPECT_EQ(log.lines().front(), line(1));
    file() += ' ';  // more than a full log and a record's slack: no log
    EXPECT_FALSE(log.load_list2().ok());
    file() = calls(0, kMaxLogRecords);
    log.append(line(kMaxLogRecords));
    log.append(line(kMaxLogRecords + 1));
    ASSERT_TRUE(log.save().ok());
    EXPECT_EQ(file(), calls(2, kMaxLogRecords));
}

}  // namespace
}  // namespace vantelmoor

// The two record files: the exact bytes of each format, and what the block list and the call log
// do with files that are missing, long, cut short, unreadable, or that cannot be rewritten.
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

const std::string kNul(1, '\0');

std::string spaces(std::size_t count) { return std::string(count, ' '); }
std::string padded(const std::string& text) { return fixed_width(text, kBlockFieldSize); }

TEST(RecordFormatTest, BlockRecordIsAPaddedNameAndNumberOfTwentyBytesEach) {
    EXPECT_EQ(block_list_path("C:\\V"), "C:\\V\\Vantelmoor.dat");
    EXPECT_EQ(write_block_records({{"JOHN SMITH", "5551234567"}, {"  A  ", "123456789012345678901234"}}),
              "JOHN SMITH" + spaces(10) + "5551234567" + spaces(10) + "A" + spaces(19) + "12345678901234567890");
    EXPECT_EQ(read_block_records(padded("  JOHN") + padded(" 555-1234")), (std::vector<BlockEntry>{{"JOHN", "555-1234"}}));
}

TEST(RecordFormatTest, CallLineIs65ColumnsAndItsRecord61BytesEndingInYOrZero) {
    EXPECT_EQ(call_log_path("C:\\V"), "C:\\V\\Vantelmoor.log");
    const std::string blocked = call_log_line(" 03/21 ", "02:05 PM", "JOHN DOE", "5551234567", true);
    EXPECT_EQ(blocked, "03/21" + spaces(6) + "02:05 PM" + spaces(3) + "JOHN DOE" + spaces(13) + "5551234567" +
                           spaces(11) + "Y");
    const std::string allowed = call_log_line("", "", "A NAME LONGER THAN TWENTY", "", false);
    EXPECT_EQ(allowed, spaces(22) + "A NAME LONGER THAN T" + spaces(22) + kNul);
    EXPECT_EQ(write_call_records({blocked, allowed}), "03/21" + spaces(5) + "02:05 PM  JOHN DOE" + spaces(12) +
                                                          "5551234567" + spaces(10) + "Y" + spaces(20) +
                                                          "A NAME LONGER THAN T" + spaces(20) + kNul);
    // Each field is taken from its columns, trimmed; a line cut short gives a space as its marker.
    EXPECT_EQ(write_call_records({"  03/21   |  2:05 PM |  JOHN" + spaces(14) + "|  555" + spaces(15) + "|Y"}),
              "03/21" + spaces(5) + "2:05 PM" + spaces(3) + "JOHN" + spaces(16) + "555" + spaces(17) + "Y");
    EXPECT_EQ(write_call_records({"03/21"}), "03/21" + spaces(56));
    // Reading keeps the marker byte as it is: only "Y" means blocked.
    const std::string record = write_call_records({allowed}).substr(0, 60);
    EXPECT_EQ(read_call_records(record + "\x7f").front().back(), '\x7f');
}

// The two lists over an in-memory store, driven alike: load the copy, add one new record and save.
struct BlockListUnderTest {
    static constexpr const char* kPath = "C:\\V\\Vantelmoor.dat";
    static constexpr std::size_t kRecordSize = kBlockRecordSize;
    // File lengths and the records they count: to the nearest, halves to even.
    static constexpr std::pair<std::size_t, std::size_t> kCounts[] = {{19, 0}, {21, 1}, {60, 2}, {100, 2}, {101, 3}};
    static std::vector<std::string> reread(std::string_view bytes) {  // each record written back
        std::vector<std::string> records;
        for (const BlockEntry& entry : read_block_records(bytes)) records.push_back(write_block_records({entry}));
        return records;
    }
    static std::size_t first_kept(std::size_t /*beyond_limit*/) { return 0; }  // the file's first records
    static BlockEntry entry(std::size_t i) {
        const std::string n = std::to_string(100000 + i);
        return {"CALLER " + n, "555" + n};
    }
    static std::string image(std::size_t first, std::size_t count) {
        std::vector<BlockEntry> entries;
        for (std::size_t i = first; i < first + count; ++i) entries.push_back(entry(i));
        return write_block_records(entries);
    }

    FakeFileStore files;
    BlockList list{files, kPath};
    FileOutcome load() { return list.load_list(); }
    std::size_t size() { return list.entries().size(); }
    std::string front() { return write_block_records({list.entries().front()}); }
    FileProblem add(std::size_t i) {
        const AddOutcome outcome = list.add_block(padded(entry(i).name), padded(entry(i).number));
        if (outcome.result == AddResult::Unreadable) return FileProblem::Unreadable;
        return outcome.result == AddResult::NotSaved ? FileProblem::NotSaved : FileProblem::None;
    }
};

struct CallLogUnderTest {
    static constexpr const char* kPath = "C:\\V\\Vantelmoor.log";
    static constexpr std::size_t kRecordSize = kCallRecordSize;
    static constexpr std::pair<std::size_t, std::size_t> kCounts[] = {{30, 0}, {31, 1}, {91, 1}, {92, 2}, {153, 3}};
    static std::vector<std::string> reread(std::string_view bytes) {
        std::vector<std::string> records;
        for (const std::string& line : read_call_records(bytes)) records.push_back(write_call_records({line}));
        return records;
    }
    static std::size_t first_kept(std::size_t beyond_limit) { return beyond_limit; }  // the newest calls
    static std::string line(std::size_t i) {
        return call_log_line("01/02", "03:04 PM", "CALLER " + std::to_string(i), std::to_string(5550000000 + i), i % 2);
    }
    static std::string image(std::size_t first, std::size_t count) {
        std::vector<std::string> lines;
        for (std::size_t i = first; i < first + count; ++i) lines.push_back(line(i));
        return write_call_records(lines);
    }

    FakeFileStore files;
    CallLog log{files, kPath};
    FileOutcome load() { return log.load_list2(); }
    std::size_t size() { return log.lines().size(); }
    std::string front() { return write_call_records({log.lines().front()}); }
    FileProblem add(std::size_t i) {
        log.append(line(i));
        return log.save().problem;
    }
};

template <typename List>
class RecordListTest : public ::testing::Test {
protected:
    List list;
    std::string& file() { return list.files.files[List::kPath]; }
};

using Lists = ::testing::Types<BlockListUnderTest, CallLogUnderTest>;
TYPED_TEST_SUITE(RecordListTest, Lists);

TYPED_TEST(RecordListTest, RecordsAreCountedToTheNearestAndACutRecordHoldsOnlyItsBytes) {
    const std::string image = TypeParam::image(0, 3);
    for (const auto& [length, records] : TypeParam::kCounts) {
        EXPECT_EQ(TypeParam::reread(std::string_view(image).substr(0, length)).size(), records) << length;
    }
    // What lies behind the file's end must never leak into its last record: it holds the bytes
    // that are there, padded with spaces.
    const std::size_t r = TypeParam::kRecordSize;
    const std::string_view cut = std::string_view(image).substr(0, r + r / 2 + 3);
    const std::string present(cut.substr(r));
    EXPECT_EQ(TypeParam::reread(cut).back(), present + spaces(r - present.size()));
    EXPECT_EQ(TypeParam::reread(image).back(), image.substr(2 * r));
}

TYPED_TEST(RecordListTest, NoFileLoadsEmptyAndLeavesAZeroByteFile) {
    EXPECT_TRUE(this->list.load().ok());
    EXPECT_EQ(this->list.size(), 0u);
    ASSERT_TRUE(this->list.files.files.contains(TypeParam::kPath));
    EXPECT_EQ(this->file(), "");
}

// Any user can write the file: one larger than a full list and a record's slack is no list.
TYPED_TEST(RecordListTest, AFullFileWithARecordsSlackIsReadAndALargerOneIsNever) {
    this->file() = TypeParam::image(0, 32767 + 1);
    EXPECT_TRUE(this->list.load().ok());
    EXPECT_EQ(this->list.size(), 32767u);
    EXPECT_EQ(this->list.front(), TypeParam::image(TypeParam::first_kept(1), 1));
    this->file() += ' ';
    EXPECT_EQ(this->list.load().problem, FileProblem::Unreadable);
    EXPECT_EQ(this->list.add(3), FileProblem::Unreadable);
}

TYPED_TEST(RecordListTest, AFileThatCannotBeReadIsNeverWrittenOver) {
    this->file() = TypeParam::image(0, 3);
    this->list.files.unreadable.insert(TypeParam::kPath);
    const FileOutcome loaded = this->list.load();
    EXPECT_EQ(loaded.problem, FileProblem::Unreadable);
    EXPECT_EQ(loaded.reason, test::FakeFileStore::kHeld);
    EXPECT_EQ(this->list.add(3), FileProblem::Unreadable);
    EXPECT_EQ(this->list.files.replaces, 0);
    EXPECT_EQ(this->file(), TypeParam::image(0, 3));
}

TYPED_TEST(RecordListTest, ARewriteThatFailsLeavesTheOldFileAndSaysSo) {
    this->file() = TypeParam::image(0, 2);
    ASSERT_TRUE(this->list.load().ok());
    this->list.files.fail_replace = true;
    EXPECT_EQ(this->list.add(2), FileProblem::NotSaved);
    EXPECT_EQ(this->file(), TypeParam::image(0, 2));
}

class BlockListTest : public ::testing::Test {
protected:
    FakeFileStore files;
    BlockList list{files, BlockListUnderTest::kPath};

    std::string& file() { return files.files[list.path()]; }
    AddResult add(const std::string& name, const std::string& number) {
        return list.add_block(padded(name), padded(number)).result;
    }
};

TEST_F(BlockListTest, TheCopyIsSortedByPaddedNameThenNumberIgnoringCaseAndAlikeEntriesKeepFileOrder) {
    file() = write_block_records({{"bob", "2"}, {"Alice", "9"}, {"ALICE B", "0"}, {"al", "5"}, {"alice", "1"},
                                  {"BOB", "2"}, {"Bob", "10"}});
    ASSERT_TRUE(list.load_list().ok());
    const std::vector<BlockEntry> sorted{{"al", "5"},  {"alice", "1"}, {"Alice", "9"}, {"ALICE B", "0"},
                                         {"Bob", "10"}, {"bob", "2"},   {"BOB", "2"}};
    EXPECT_EQ(list.entries(), sorted);
    ASSERT_TRUE(list.update().ok());
    EXPECT_EQ(read_block_records(file()), sorted);
}

TEST_F(BlockListTest, AddingUpperCasesTheNameKeepsTheNumberAndWritesTheFileSorted) {
    file() = write_block_records({{"ANN", "1"}, {"ZED", "2"}});
    EXPECT_EQ(add("  Jane Caf\xe9", "555-0199 ext. a"), AddResult::Added);
    const std::vector<BlockEntry> expected{{"ANN", "1"}, {"JANE CAF\xe9", "555-0199 ext. a"}, {"ZED", "2"}};
    EXPECT_EQ(read_block_records(file()), expected);
    EXPECT_EQ(list.entries(), expected);
}

TEST_F(BlockListTest, TheFileDecidesWhatIsAlreadyBlockedIgnoringCaseAndBlanksButNotDashes) {
    ASSERT_TRUE(list.load_list().ok());
    file() = padded("  John Doe") + padded("555-123-4567");  // written elsewhere after the load
    EXPECT_EQ(add("JOHN DOE  ", "  555-123-4567"), AddResult::Duplicate);
    EXPECT_EQ(files.replaces, 0);
    EXPECT_EQ(add("John Doe", "5551234567"), AddResult::Added);
    EXPECT_EQ(add("Jon Doe", "555-123-4567"), AddResult::Added);
    EXPECT_EQ(read_block_records(file()).size(), 3u);  // the entry written elsewhere is kept
}

TEST_F(BlockListTest, AFullListTakesNoMoreAndACopyWhoseLoadFailedIsNotWritten) {
    file() = BlockListUnderTest::image(0, kMaxListEntries);
    EXPECT_EQ(add("NEW CALLER", "5550100"), AddResult::Full);
    EXPECT_EQ(files.replaces, 0);

    files.unreadable.insert(list.path());
    EXPECT_FALSE(list.load_list().ok());
    EXPECT_EQ(list.update().problem, FileProblem::Unreadable);
    files.unreadable.clear();
    ASSERT_TRUE(list.load_list().ok());
    EXPECT_TRUE(list.update().ok());
}

class CallLogTest : public ::testing::Test {
protected:
    FakeFileStore files;
    CallLog log{files, CallLogUnderTest::kPath};
    std::string& file() { return files.files[log.path()]; }
    static std::string line(std::size_t i) { return CallLogUnderTest::line(i); }
    static std::string image(std::size_t first, std::size_t count) { return CallLogUnderTest::image(first, count); }
};

TEST_F(CallLogTest, ASaveWritesTheFileAsItIsOnDiskFollowedByTheNewCalls) {
    file() = image(0, 2);
    ASSERT_TRUE(log.load_list2().ok());
    file() = image(0, 3);  // another writer added one meanwhile
    log.append(line(3));
    ASSERT_TRUE(log.save().ok());
    EXPECT_EQ(file(), image(0, 4));
    EXPECT_EQ(log.unsaved(), 0u);
}

TEST_F(CallLogTest, CallsThatCouldNotBeSavedAreKeptAndWrittenWithTheNextSave) {
    file() = image(0, 3);
    files.unreadable.insert(log.path());
    EXPECT_FALSE(log.load_list2().ok());
    log.append(line(3));
    EXPECT_EQ(log.save().problem, FileProblem::Unreadable);
    files.unreadable.clear();
    files.fail_replace = true;
    log.append(line(4));
    EXPECT_EQ(log.save().problem, FileProblem::NotSaved);
    EXPECT_EQ(file(), image(0, 3));
    files.fail_replace = false;
    log.append(line(5));
    ASSERT_TRUE(log.save().ok());
    EXPECT_EQ(file(), image(0, 6));
}

TEST_F(CallLogTest, AtTheLimitEachNewCallDropsTheOldest) {
    file() = image(0, kMaxLogRecords);
    ASSERT_TRUE(log.load_list2().ok());
    log.append(line(kMaxLogRecords));
    log.append(line(kMaxLogRecords + 1));
    ASSERT_TRUE(log.save().ok());
    EXPECT_EQ(file(), image(2, kMaxLogRecords));
}

}  // namespace
}  // namespace vantelmoor

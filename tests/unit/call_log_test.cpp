// The call log file and the monitor window's copy of it, over an in-memory file store: the
// 65-column line of a call, the exact bytes of the shared 61-byte records, how a file of any
// length is read, and a log that keeps its newest 32,767 calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_file_store.h"
#include "store/call_log.h"
#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

using test::FakeFileStore;

const std::string kPath = call_log_path("C:\\Program Files\\Vantelmoor");
const std::string kNul(1, '\0');

std::string spaces(std::size_t count) { return std::string(count, ' '); }

std::string numbered_line(std::size_t i) {
    return call_log_line("01/02", "03:04 PM", "CALLER " + std::to_string(i), std::to_string(5550000000 + i),
                         i % 2 == 1);
}

std::vector<std::string> numbered_lines(std::size_t first, std::size_t count) {
    std::vector<std::string> lines;
    for (std::size_t i = first; i < first + count; ++i) lines.push_back(numbered_line(i));
    return lines;
}

TEST(CallLogLineTest, IsAlways65ColumnsOfPaddedFieldsAndAMarker) {
    EXPECT_EQ(call_log_path("C:\\Program Files\\Vantelmoor"), "C:\\Program Files\\Vantelmoor\\Vantelmoor.log");
    const std::string blocked = call_log_line(" 03/21 ", "2:05 PM", "JOHN DOE", "5551234567", true);
    EXPECT_EQ(blocked, "03/21" + spaces(5) + " 2:05 PM" + spaces(3) + " JOHN DOE" + spaces(12) + " 5551234567" +
                           spaces(10) + " Y");
    const std::string allowed = call_log_line("", "", "A NAME LONGER THAN TWENTY", "", false);
    EXPECT_EQ(allowed, spaces(22) + "A NAME LONGER THAN T" + spaces(22) + kNul);
    EXPECT_EQ(blocked.size(), kCallLineSize);
    EXPECT_EQ(allowed.size(), kCallLineSize);
}

TEST(CallRecordsTest, ACallIs61BytesEndingInYOrAZeroByte) {
    const std::string bytes = write_call_records({call_log_line("03/21", "2:05 PM", "JOHN DOE", "5551234567", true),
                                                  call_log_line("03/22", "9:00 AM", "O", "5550000", false)});
    const std::string expected = "03/21" + spaces(5) + "2:05 PM" + spaces(3) + "JOHN DOE" + spaces(12) + "5551234567" +
                                 spaces(10) + "Y" + "03/22" + spaces(5) + "9:00 AM" + spaces(3) + "O" + spaces(19) +
                                 "5550000" + spaces(13) + kNul;
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(write_call_records({}), "");
}

TEST(CallRecordsTest, WritingTakesEachColumnRangeTrimmedAndAShortLineGivesASpaceMarker) {
    // Columns 1-10 date, 12-21 time, 23-42 name, 44-63 number, 65 marker; fields may sit anywhere
    // in their range.
    const std::string line = "  03/21   " " " "   2:05 PM" " " "   JOHN DOE         " " " + spaces(20) + " " + kNul;
    EXPECT_EQ(write_call_records({line}),
              "03/21" + spaces(5) + "2:05 PM" + spaces(3) + "JOHN DOE" + spaces(12) + spaces(20) + kNul);
    // What stands between the ranges is not part of any field.
    const std::string marked = "  03/21   |  2:05 PM |  JOHN" + spaces(14) + "|  555" + spaces(15) + "|Y";
    EXPECT_EQ(write_call_records({marked}),
              "03/21" + spaces(5) + "2:05 PM" + spaces(3) + "JOHN" + spaces(16) + "555" + spaces(17) + "Y");
    EXPECT_EQ(write_call_records({"03/21"}), "03/21" + spaces(56));
    EXPECT_EQ(write_call_records({""}), spaces(61));
    EXPECT_EQ(write_call_records({line.substr(0, 64)}).back(), ' ');
}

TEST(CallRecordsTest, ReadingTrimsThenPadsEachFieldAndKeepsTheMarkerByteAsItIs) {
    const std::string record = "   03/21  " "2:05 PM   " + fixed_width("  JOHN DOE", 20) + fixed_width("  555", 20);
    const std::vector<std::string> lines = read_call_records(record + "Y" + record + kNul + record + "\x7f");
    ASSERT_EQ(lines.size(), 3u);
    const std::string fields = "03/21" + spaces(5) + " 2:05 PM" + spaces(3) + " JOHN DOE" + spaces(12) + " 555" +
                               spaces(17) + " ";
    EXPECT_EQ(lines[0], fields + "Y");
    EXPECT_EQ(lines[1], fields + kNul);
    EXPECT_EQ(lines[2], fields + "\x7f");
}

TEST(CallRecordsTest, LengthIsCountedInRecordsRoundedToNearest) {
    const std::string image = write_call_records(numbered_lines(0, 3));
    const std::pair<std::size_t, std::size_t> cases[] = {{0, 0},  {30, 0}, {31, 1},  {61, 1},
                                                         {91, 1}, {92, 2}, {183, 3}};
    for (const auto& [length, records] : cases) {
        EXPECT_EQ(read_call_records(std::string_view(image).substr(0, length)).size(), records) << length;
    }
}

TEST(CallRecordsTest, ARecordCutShortReadsOnlyTheBytesThatAreThereWithASpaceMarker) {
    // Behind the file's end lies memory that must not leak into its last record.
    const std::string memory =
        write_call_records({numbered_line(0), call_log_line("03/21", "9:00 PM", "JANE", "5551234567", true)});
    const std::vector<std::string> lines = read_call_records(std::string_view(memory).substr(0, 61 + 45));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], numbered_line(0));
    EXPECT_EQ(lines[1],
              "03/21" + spaces(5) + " 9:00 PM" + spaces(3) + " JANE" + spaces(16) + " 55512" + spaces(15) + "  ");
}

TEST(CallRecordsTest, LinesSurviveAWriteAndARead) {
    const std::vector<std::string> lines = numbered_lines(0, 50);
    EXPECT_EQ(read_call_records(write_call_records(lines)), lines);
}

class CallLogTest : public ::testing::Test {
protected:
    FakeFileStore files;
    CallLog log{files, kPath};
};

TEST_F(CallLogTest, NoFileLoadsAnEmptyLogAndAnEmptyLogSavesAZeroByteFile) {
    log.load_list2();
    EXPECT_TRUE(log.lines().empty());
    ASSERT_TRUE(files.files.contains(kPath));
    EXPECT_EQ(files.files[kPath], "");

    files.files[kPath] = write_call_records(numbered_lines(0, 2));
    log.load_list2();
    EXPECT_EQ(log.lines().size(), 2u);
    files.files[kPath] = "";
    log.load_list2();  // nothing of the old copy lingers
    EXPECT_TRUE(log.lines().empty());
    EXPECT_TRUE(log.save());
    EXPECT_EQ(files.replaces, 1);
    EXPECT_EQ(files.files[kPath], "");
}

TEST_F(CallLogTest, ALongerFileIsReadWholeAndTheCopyKeepsItsNewest32767Calls) {
    const std::vector<std::string> all = numbered_lines(0, kMaxLogRecords + 1000);
    files.files[kPath] = write_call_records(all);
    EXPECT_EQ(read_call_records(files.files[kPath]).size(), all.size());

    log.load_list2();
    ASSERT_EQ(log.lines().size(), kMaxLogRecords);
    EXPECT_EQ(log.lines().front(), numbered_line(1000));
    EXPECT_EQ(log.lines().back(), all.back());
}

TEST_F(CallLogTest, AtTheLimitEachNewCallDropsTheOldestAndTheFileStaysAtTheLimit) {
    files.files[kPath] = write_call_records(numbered_lines(0, kMaxLogRecords));
    log.load_list2();

    log.append(numbered_line(kMaxLogRecords));
    log.append(numbered_line(kMaxLogRecords + 1));
    ASSERT_EQ(log.lines().size(), kMaxLogRecords);
    EXPECT_EQ(log.lines().front(), numbered_line(2));
    EXPECT_EQ(log.lines().back(), numbered_line(kMaxLogRecords + 1));

    ASSERT_TRUE(log.save());
    EXPECT_EQ(files.files[kPath].size(), kMaxLogRecords * kCallRecordSize);
    EXPECT_EQ(files.files[kPath], write_call_records(numbered_lines(2, kMaxLogRecords)));
}

TEST_F(CallLogTest, BelowTheLimitCallsAreAddedAtTheEnd) {
    log.load_list2();
    log.append(numbered_line(0));
    log.append(numbered_line(1));
    ASSERT_TRUE(log.save());
    EXPECT_EQ(files.files[kPath], write_call_records(numbered_lines(0, 2)));
}

TEST_F(CallLogTest, AFailedSaveKeepsTheOldFileAndTheCopyAndTheNextSaveWritesEverything) {
    files.files[kPath] = write_call_records(numbered_lines(0, 3));
    log.load_list2();
    const std::string before = files.files[kPath];

    files.fail_replace = true;
    log.append(numbered_line(3));
    EXPECT_FALSE(log.save());
    EXPECT_EQ(files.files[kPath], before);
    log.append(numbered_line(4));
    EXPECT_FALSE(log.save());
    EXPECT_EQ(log.lines(), numbered_lines(0, 5));

    files.fail_replace = false;
    EXPECT_TRUE(log.save());
    EXPECT_EQ(files.files[kPath], write_call_records(numbered_lines(0, 5)));
}

}  // namespace
}  // namespace vantelmoor

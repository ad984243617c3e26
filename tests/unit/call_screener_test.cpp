// Screening, blocking, counting and logging of reported calls, through the port as the modem
// sends them, on the virtual clock, with the program wired as it ships.
#include <gtest/gtest.h>

#include "fakes/program_rig.h"

namespace vantelmoor {
namespace {

using test::ProgramRig;

const std::string kJohnDoeBlocked = "03/21     02:05 PM  JOHN DOE            5551234567          Y";

class CallScreenerTest : public ::testing::Test {
protected:
    ProgramRig rig;

    void SetUp() override { rig.listen(); }
    double time_of(const std::string& command) const {
        for (const auto& w : rig.port.writes) {
            if (w.text == command + "\r") return w.at;
        }
        return -1;
    }
};

// Entries are kept in capitals; the line sends names as the caller's exchange has them.
TEST_F(CallScreenerTest, ListedCallersAreMatchedByDigitsTextOrNameInAnyCaseAndBlankFieldsNeverMatch) {
    rig.block_list({{"", "555-123-4567"}, {"", "5550001111"}, {"", "PRIVATE LINE"}, {"JOHN DOE", ""}});
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"5551234567", "SOMEONE", true},     {"5550001111", "SOMEONE", true},  {"PRIVATE LINE", "SOMEONE", true},
        {"5551234568", "SOMEONE", false},    {"555-123-4567X", "SOMEONE", false}, {"5550000000", "JOHN DOE", true},
        {"5550000000", "John Doe", true},    {"5550000000", "john doe  ", true}, {"5550000000", "JOHN DOES", false},
        {"5550000000", "", false},
    };
    for (const auto& [number, name, expected] : cases) EXPECT_EQ(rig.answered(number, name), expected) << number << name;
}

TEST_F(CallScreenerTest, AnonymousCallersAreBlockedOnlyWithTheirOption) {
    EXPECT_FALSE(rig.answered("5551234567", "Unknown Caller"));
    EXPECT_FALSE(rig.answered("PRIVATE", "PRIVATE"));
    rig.settings.block_anon_name = rig.settings.block_anon_num = true;
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"5551234567", "Unknown Caller", true}, {"private", "SOMEONE", true}, {"P", "SOMEONE", false}, {"O", "O", false}};
    for (const auto& [number, name, expected] : cases) EXPECT_EQ(rig.answered(number, name), expected) << number << name;
    rig.port.arrive("\r\nRING\r\nMESG=080130\r\nMESG=080130\r\nNMBR=5551234567\r\n");  // the name set by messages
    EXPECT_EQ(rig.count("ATA"), 3);
}

// The number line that some modems repeat during the sequence is the same call: no second answer,
// and the hang-up is not put off.
TEST_F(CallScreenerTest, BlockingAnswersAtOnceHangsUpOnceThreeSecondsLaterAndCountsDown) {
    rig.block_list({{"", "5551234567"}});
    const double start = rig.loop.now_seconds();
    rig.port.arrive(ProgramRig::report("5551234567", ""));
    EXPECT_EQ(time_of("ATA"), start);
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);
    rig.after(1);
    EXPECT_EQ(rig.status(), "Flushing Call");
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "0:04");
    rig.after(0.5);
    rig.port.arrive(ProgramRig::report("5551234567", ""));
    rig.after(3);
    EXPECT_EQ(time_of("ATH"), start + 3);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "0:01");
    rig.after(1.5);
    EXPECT_EQ(rig.status(), "Waiting");
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "1 New Calls");
    rig.after(10);  // both timers stopped: no second hang-up, no countdown again
    EXPECT_EQ(rig.status(), "Waiting");
    EXPECT_EQ(rig.count("ATA"), 1);
    EXPECT_EQ(rig.count("ATH"), 1);
}

TEST_F(CallScreenerTest, EachCallIsCountedOnceAndTheCountersStopAtTheirCeilings) {
    rig.block_list({{"", "5551234567"}});
    EXPECT_FALSE(rig.answered("5550000000", "A"));
    EXPECT_TRUE(rig.answered("5551234567", "B"));
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "2 New Calls");
    EXPECT_EQ(rig.registry.text(kSettingsKey, "TotalCount"), "2");
    EXPECT_EQ(rig.view.text(Control::Label1_4), "1");
    rig.settings.total_count = 32766;
    rig.settings.total_blocked = 32767;
    for (int i = 0; i < 300; ++i) rig.answered("5550000000", "");
    EXPECT_TRUE(rig.answered("5551234567", ""));  // still answered and hung up
    EXPECT_EQ(rig.count("ATH"), 2);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "255 New Calls");
    EXPECT_EQ(rig.settings.total_count, 32767);
    EXPECT_EQ(rig.registry.text(kSettingsKey, "TotalBlocked"), "1");  // not saved again
}

// However the report ends (its name line, only a number, the answer's echo cutting in before the
// name, the number line repeated otherwise), the call is logged five seconds after its last line,
// once, and the modem reset after it.
TEST_F(CallScreenerTest, ACallIsLoggedFiveSecondsAfterItsLastLineAndTheModemIsReset) {
    const std::pair<std::vector<std::string>, std::string> reports[] = {
        {{ProgramRig::report("5551234567", "JOHN DOE")}, kJohnDoeBlocked},
        {{ProgramRig::report("5551234567", "")}, "03/21     02:05 PM                      5551234567          Y"},
        {{ProgramRig::report("5551234567", ""), "ATA\r", "NAME=JOHN DOE\r\n"}, kJohnDoeBlocked},
        {{ProgramRig::report("5551234567", ""), "NMBR=5551234567X\r\nNAME=JOHN DOE\r\n"},
         "03/21     02:05 PM  JOHN DOE            5551234567X         Y"},
    };
    for (const auto& [lines, logged] : reports) {
        ProgramRig local;
        local.listen();
        local.block_list({{"", "5551234567"}});
        for (const std::string& part : lines) local.port.arrive(part);
        local.after(4.9);
        EXPECT_TRUE(local.files.files[ProgramRig::kLogFile].empty());
        local.port.writes.clear();
        local.after(0.2);
        EXPECT_EQ(local.files.files[ProgramRig::kLogFile], logged);
        EXPECT_EQ(local.port.written_texts().at(0), "ATZ\r");
        EXPECT_EQ(local.settings.total_count, 1);
        EXPECT_NE(local.view.text(Control::txtNumber), "");  // the boxes keep the call
    }
    EXPECT_FALSE(rig.answered("5550000000", "JANE ROE"));  // a block does not carry over
}

TEST_F(CallScreenerTest, TheNameIsScreenedWhenItComesAfterTheNumberAndCountsCallsKnownFromMessages) {
    rig.block_list({{"JOHN DOE", ""}, {"", "9415557218"}});
    rig.port.arrive("\r\nRING\r\nNMBR=5551234567\r\n");
    EXPECT_EQ(rig.count("ATA"), 0);
    rig.port.arrive("NAME=JOHN DOE\r\n");
    EXPECT_EQ(rig.count("ATA"), 1);
    rig.after(8);
    rig.port.arrive("\r\nRING\r\nNAME = SARASOTA,FL\r\nDDN = 9415557218\r\n");
    EXPECT_EQ(rig.count("ATA"), 2);
    rig.after(8);
    rig.port.arrive("\r\nRING\r\nMESG=080130\r\nNAME=JOHN DOE\r\n");  // the number only from a message
    EXPECT_EQ(rig.count("ATA"), 3);
    EXPECT_EQ(rig.settings.total_count, 3);
}

TEST_F(CallScreenerTest, AnUnreadableBlockListScreensAgainstTheListAsLastRead) {
    rig.block_list({{"", "5551234567"}});
    EXPECT_TRUE(rig.answered("5551234567", "A"));
    rig.files.unreadable.insert(ProgramRig::kBlockFile);
    EXPECT_TRUE(rig.answered("5551234567", "A"));
    EXPECT_TRUE(rig.noted("The block list C:\\Vantelmoor\\Vantelmoor.dat cannot be read"));
}

TEST_F(CallScreenerTest, CallsMadeWhileTheLogCannotBeReadOrSavedAreAddedToItOnceItCan) {
    ProgramRig fresh;  // the log is held by another program from the start
    const std::string three = write_call_records({call_log_line("01/01", "01:00 AM", "A", "1", false),
                                                  call_log_line("01/02", "02:00 AM", "B", "2", false),
                                                  call_log_line("01/03", "03:00 AM", "C", "3", true)});
    fresh.files.files[ProgramRig::kLogFile] = three;
    fresh.files.unreadable.insert(ProgramRig::kLogFile);
    ASSERT_TRUE(fresh.program.start());
    EXPECT_EQ(fresh.status(), "Log Unreadable");
    fresh.port.arrive(ProgramRig::report("5551234567", "JOHN DOE"));
    fresh.after(8);
    EXPECT_EQ(fresh.files.replaces, 0);
    EXPECT_TRUE(fresh.noted("). New calls are kept until it can be read."));
    fresh.files.unreadable.clear();
    fresh.files.fail_replace = true;
    fresh.port.arrive(ProgramRig::report("5550000000", "JANE ROE"));
    fresh.after(8);
    EXPECT_EQ(fresh.status(), "Log Not Saved");
    EXPECT_TRUE(fresh.noted("could not be saved (There is not enough space on the disk.)"));
    fresh.files.fail_replace = false;
    fresh.port.arrive(ProgramRig::report("5550001111", "JIM POE"));
    fresh.after(8);
    const std::vector<std::string> logged = read_call_records(fresh.files.files[ProgramRig::kLogFile]);
    ASSERT_EQ(logged.size(), 6u);
    EXPECT_EQ(write_call_records({logged[0], logged[1], logged[2]}), three);
    EXPECT_EQ(logged[3].substr(22, 8), "JOHN DOE");
    EXPECT_EQ(logged[5].substr(22, 7), "JIM POE");
    EXPECT_TRUE(fresh.noted("The call log is saved again"));
}

TEST_F(CallScreenerTest, FailedCommandsAndTimersAreNoted) {
    rig.block_list({{"", "5551234567"}});
    rig.timers.refuse = true;
    rig.port.write_failure = PortError{1460, "This operation returned because the timeout period expired."};
    rig.port.arrive(ProgramRig::report("5551234567", ""));
    EXPECT_TRUE(rig.noted("The modem did not take ATA (This operation returned because the timeout period expired.)"));
    EXPECT_TRUE(rig.noted("Windows refused a timer"));
}

class BlockFutureCallsTest : public CallScreenerTest {};

TEST_F(BlockFutureCallsTest, AsksWithTheCallerShownAndAddsItPadded) {
    rig.port.arrive(ProgramRig::report("5551234567", "John Doe"));
    rig.dialogs.answers = {MessageAnswer::Yes};
    rig.click(2);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].title, "Add a number to block list");
    EXPECT_EQ(rig.files.files[ProgramRig::kBlockFile], "JOHN DOE            555-123-4567        ");
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);
    EXPECT_TRUE(rig.answered("5551234567", "SOMEONE ELSE"));
}

TEST_F(BlockFutureCallsTest, NoChangesNothingAndRefusalsAreExplainedWithNothingWritten) {
    rig.port.arrive(ProgramRig::report("5551234567", "A NAME OF TWENTY CHARACTERS AND MORE"));
    rig.click(2);  // answered No
    EXPECT_EQ(rig.files.files[ProgramRig::kBlockFile], "");
    rig.block_list({{"A NAME OF TWENTY CHA", "555-123-4567"}});
    rig.files.unreadable.insert(ProgramRig::kBlockFile);
    rig.dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Ok, MessageAnswer::Yes};
    rig.click(2);
    ASSERT_EQ(rig.dialogs.shown.size(), 3u);
    EXPECT_EQ(rig.dialogs.shown[2].text.rfind("The block list cannot be read (", 0), 0u);
    rig.files.unreadable.clear();
    rig.click(2);  // the name is cut to 20 characters, so this is the entry already there
    EXPECT_EQ(rig.dialogs.shown.back().text, "This name/number is already being blocked.");
    EXPECT_EQ(rig.files.replaces, 0);
    EXPECT_TRUE(rig.view[Control::Connect2].enabled);
}

}  // namespace
}  // namespace vantelmoor

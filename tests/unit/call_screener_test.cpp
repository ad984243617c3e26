// Screening, blocking, counting and logging of reported calls, through the port as the modem
// sends them, on the virtual clock, with the program wired as it ships.
#include <gtest/gtest.h>

#include "fakes/program_rig.h"

namespace vantelmoor {
namespace {

using test::ProgramRig;

std::string report(const std::string& number, const std::string& name) {
    std::string burst = "\r\nRING\r\n\r\nDATE=0321\r\nTIME=1405\r\nNMBR=" + number + "\r\n";
    if (!name.empty()) burst += "NAME=" + name + "\r\n";
    return burst;
}

class CallScreenerTest : public ::testing::Test {
protected:
    ProgramRig rig;

    void SetUp() override { rig.listen(); }
    void block_list(const std::vector<BlockEntry>& entries) {
        rig.files.files[ProgramRig::kBlockFile] = write_block_records(entries);
    }
    void call(const std::string& number, const std::string& name) { rig.port.arrive(report(number, name)); }
    double time_of(const std::string& command) const {
        for (const auto& w : rig.port.writes) {
            if (w.text == command + "\r") return w.at;
        }
        return -1;
    }
    std::string& log_file() { return rig.files.files[ProgramRig::kLogFile]; }
    // Plays a call and lets it be logged; true when it was answered.
    bool blocked(const std::string& number, const std::string& name) {
        const int before = rig.count("ATA");
        call(number, name);
        const bool answered = rig.count("ATA") > before;
        rig.loop.run_until(rig.loop.now_seconds() + 8);
        return answered;
    }
    void after(double seconds) { rig.loop.run_until(rig.loop.now_seconds() + seconds); }
};

// Entries are kept in capitals; the line sends names as the caller's exchange has them.
TEST_F(CallScreenerTest, ListedCallersAreMatchedByDigitsTextOrNameInAnyCaseAndBlankFieldsNeverMatch) {
    block_list({{"", "555-123-4567"}, {"", "5550001111"}, {"", "PRIVATE LINE"}, {"JOHN DOE", ""}});
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"5551234567", "SOMEONE", true},     {"5550001111", "SOMEONE", true},  {"PRIVATE LINE", "SOMEONE", true},
        {"5551234568", "SOMEONE", false},    {"555-123-4567X", "SOMEONE", false}, {"5550000000", "JOHN DOE", true},
        {"5550000000", "John Doe", true},    {"5550000000", "john doe  ", true}, {"5550000000", "JOHN DOES", false},
        {"5550000000", "", false},
    };
    for (const auto& [number, name, expected] : cases) EXPECT_EQ(blocked(number, name), expected) << number << name;
}

TEST_F(CallScreenerTest, AnonymousCallersAreBlockedOnlyWithTheirOption) {
    EXPECT_FALSE(blocked("5551234567", "Unknown Caller"));
    EXPECT_FALSE(blocked("PRIVATE", "PRIVATE"));
    rig.settings.block_anon_name = true;
    rig.settings.block_anon_num = true;
    EXPECT_TRUE(blocked("5551234567", "Unknown Caller"));
    EXPECT_TRUE(blocked("private", "SOMEONE"));
    EXPECT_FALSE(blocked("P", "SOMEONE"));
    EXPECT_FALSE(blocked("O", "O"));
    rig.port.arrive("\r\nRING\r\nMESG=080130\r\nMESG=080130\r\nNMBR=5551234567\r\n");  // the name set by messages
    EXPECT_EQ(rig.count("ATA"), 3);
}

TEST_F(CallScreenerTest, BlockingAnswersAtOnceHangsUpThreeSecondsLaterAndCountsDown) {
    block_list({{"", "5551234567"}});
    const double start = rig.loop.now_seconds();
    call("5551234567", "");
    EXPECT_EQ(time_of("ATA"), start);
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);
    after(1);
    EXPECT_EQ(rig.status(), "Flushing Call");
    EXPECT_EQ(rig.view[Control::lblStatus0].fore, kRed);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "0:04");
    EXPECT_EQ(rig.view[Control::lblStatus1].fore, kLightBlue);
    EXPECT_EQ(rig.view[Control::Shape1_0].fill, kRed);
    after(2);
    EXPECT_EQ(time_of("ATH"), start + 3);
    after(1.5);
    EXPECT_FALSE(rig.timers.running(TimerId::Timer1));
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "0:01");
    after(1.5);
    EXPECT_EQ(rig.status(), "Waiting");
    EXPECT_EQ(rig.view[Control::lblStatus0].fore, kGreen);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "1 New Calls");
    EXPECT_EQ(rig.view[Control::lblStatus1].fore, kWhite);
    EXPECT_EQ(rig.view[Control::Shape1_1].fill, kGreen);
    EXPECT_FALSE(rig.timers.running(TimerId::Timer2));
}

TEST_F(CallScreenerTest, ASecondBlockDuringTheSequenceDoesNotRestartIt) {
    block_list({{"", "5551234567"}});
    const double start = rig.loop.now_seconds();
    call("5551234567", "");
    after(1.5);
    call("5551234567", "");
    after(10);
    EXPECT_EQ(rig.count("ATA"), 1);  // the same call still: its repeated number line is no new call
    EXPECT_EQ(rig.count("ATH"), 1);
    EXPECT_EQ(time_of("ATH"), start + 3);
}

TEST_F(CallScreenerTest, EachCallIsCountedOnceAndTheCountersStopAtTheirCeilings) {
    block_list({{"", "5551234567"}});
    EXPECT_FALSE(blocked("5550000000", "A"));
    EXPECT_TRUE(blocked("5551234567", "B"));
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "2 New Calls");
    EXPECT_EQ(rig.registry.text(kSettingsKey, "TotalCount"), "2");
    EXPECT_EQ(rig.registry.text(kSettingsKey, "TotalBlocked"), "1");
    EXPECT_EQ(rig.view.text(Control::Label1_4), "1");

    rig.settings.total_count = 32766;
    rig.settings.total_blocked = 32767;
    for (int i = 0; i < 300; ++i) blocked("5550000000", "");
    EXPECT_TRUE(blocked("5551234567", ""));  // still answered ...
    EXPECT_EQ(rig.count("ATH"), 2);          // ... and hung up
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "255 New Calls");
    EXPECT_EQ(rig.settings.total_count, 32767);
    EXPECT_EQ(rig.settings.total_blocked, 32767);
    EXPECT_EQ(rig.registry.text(kSettingsKey, "TotalBlocked"), "1");  // not saved again
}

TEST_F(CallScreenerTest, ACallIsLoggedFiveSecondsAfterItsNameLineAndTheModemIsReset) {
    block_list({{"", "5551234567"}});
    const double start = rig.loop.now_seconds();
    call("5551234567", "JOHN DOE");
    rig.loop.run_until(start + 4.9);
    EXPECT_TRUE(log_file().empty());
    rig.port.writes.clear();
    rig.loop.run_until(start + 9);
    EXPECT_EQ(log_file(), "03/21     02:05 PM  JOHN DOE            5551234567          Y");
    EXPECT_EQ(rig.status(), "Waiting");
    EXPECT_EQ(rig.record.caller_name, "");
    EXPECT_EQ(rig.view.text(Control::txtName), "JOHN DOE");  // the boxes keep the call
    EXPECT_EQ(rig.port.written_texts()[0], "ATZ\r");

    EXPECT_FALSE(blocked("5550000000", "JANE ROE"));
    ASSERT_EQ(log_file().size(), 122u);
    EXPECT_EQ(log_file()[121], '\0');
}

TEST_F(CallScreenerTest, ANumberOnlyReportIsLoggedAndTheModemResetLikeAnyOther) {
    block_list({{"", "5551234567"}});
    const double start = rig.loop.now_seconds();
    rig.port.arrive("\r\nRING\r\n\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\n");
    rig.port.writes.clear();
    rig.loop.run_until(start + 5.5);
    EXPECT_EQ(log_file(), "03/21     02:05 PM                      5551234567          Y");
    EXPECT_EQ(rig.count("ATZ"), 1);
    EXPECT_EQ(rig.settings.total_count, 1);
    EXPECT_FALSE(blocked("5550000000", "JANE ROE"));  // the block does not carry over
}

TEST_F(CallScreenerTest, AnEchoedAnswerBeforeTheNameLineStillLogsTheBlockedCallWithItsName) {
    block_list({{"", "5551234567"}});
    rig.modem_replies([](const std::string& command) { return command; }, 0.01);  // echo only
    rig.port.arrive("\r\nRING\r\n\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\n");
    after(0.05);
    rig.port.arrive("NAME=JOHN DOE\r\n");
    after(6);
    EXPECT_EQ(log_file(), "03/21     02:05 PM  JOHN DOE            5551234567          Y");
}

TEST_F(CallScreenerTest, ARepeatedNumberLineNeverUnblocksTheCall) {
    block_list({{"", "5551234567"}});
    rig.port.arrive("\r\nRING\r\nNMBR=5551234567\r\nNMBR=5551234567X\r\nNAME=JOHN DOE\r\n");
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);
    after(6);
    EXPECT_EQ(log_file().back(), 'Y');
    EXPECT_EQ(rig.settings.total_count, 1);
}

TEST_F(CallScreenerTest, TheNameIsScreenedWhenItComesAfterTheNumberAndCountsCallsKnownFromMessages) {
    block_list({{"JOHN DOE", ""}, {"", "9415557218"}});
    rig.port.arrive("\r\nRING\r\nNMBR=5551234567\r\n");
    EXPECT_EQ(rig.count("ATA"), 0);
    EXPECT_TRUE(rig.view[Control::Connect2].enabled);
    rig.port.arrive("NAME=JOHN DOE\r\n");
    EXPECT_EQ(rig.count("ATA"), 1);
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);
    after(8);
    EXPECT_EQ(rig.settings.total_count, 1);

    rig.port.arrive("\r\nRING\r\nNAME = SARASOTA,FL\r\nDDN = 9415557218\r\n");
    EXPECT_EQ(rig.count("ATA"), 2);
    after(8);
    rig.port.arrive("\r\nRING\r\nMESG=080130\r\nNAME=JOHN DOE\r\n");  // the number only from a message
    EXPECT_EQ(rig.count("ATA"), 3);
    EXPECT_EQ(rig.settings.total_count, 3);
    EXPECT_EQ(rig.settings.total_blocked, 3);
}

TEST_F(CallScreenerTest, AnUnreadableBlockListScreensAgainstTheListAsLastRead) {
    block_list({{"", "5551234567"}});
    EXPECT_TRUE(blocked("5551234567", "A"));
    rig.files.unreadable.insert(ProgramRig::kBlockFile);
    EXPECT_TRUE(blocked("5551234567", "A"));
    EXPECT_TRUE(rig.noted("The block list C:\\Vantelmoor\\Vantelmoor.dat cannot be read"));
}

TEST_F(CallScreenerTest, CallsMadeWhileTheLogCannotBeReadAreAddedToItOnceItCan) {
    ProgramRig fresh;  // the log is held by another program from the start
    const std::string three = write_call_records({call_log_line("01/01", "01:00 AM", "A", "1", false),
                                                  call_log_line("01/02", "02:00 AM", "B", "2", false),
                                                  call_log_line("01/03", "03:00 AM", "C", "3", true)});
    fresh.files.files[ProgramRig::kLogFile] = three;
    fresh.files.unreadable.insert(ProgramRig::kLogFile);
    fresh.modem_replies([](const std::string& command) { return command + "\r\nOK\r\n"; });
    ASSERT_TRUE(fresh.program.start());
    EXPECT_EQ(fresh.status(), "Log Unreadable");
    fresh.port.arrive(report("5551234567", "JOHN DOE"));
    fresh.loop.run_until(fresh.loop.now_seconds() + 8);
    EXPECT_EQ(fresh.files.files[ProgramRig::kLogFile], three);
    EXPECT_EQ(fresh.files.replaces, 0);
    EXPECT_TRUE(fresh.noted("cannot be read (" + std::string(test::FakeFileStore::kHeld) +
                            "). New calls are kept until it can be read."));

    fresh.files.unreadable.clear();
    fresh.port.arrive(report("5550000000", "JANE ROE"));
    fresh.loop.run_until(fresh.loop.now_seconds() + 8);
    const std::string& file = fresh.files.files[ProgramRig::kLogFile];
    ASSERT_EQ(file.size(), 5 * kCallRecordSize);
    EXPECT_EQ(file.substr(0, 3 * kCallRecordSize), three);
    EXPECT_EQ(file.substr(3 * kCallRecordSize + 20, 8), "JOHN DOE");
    EXPECT_EQ(file.substr(4 * kCallRecordSize + 20, 8), "JANE ROE");
}

TEST_F(CallScreenerTest, AFailedSaveIsReportedAndTheNextGoodSaveWritesEveryCall) {
    rig.files.fail_replace = true;
    blocked("5550000001", "A");
    EXPECT_EQ(rig.status(), "Log Not Saved");
    EXPECT_TRUE(rig.noted("could not be saved (There is not enough space on the disk.)"));
    rig.files.fail_replace = false;
    blocked("5550000002", "B");
    EXPECT_EQ(log_file().size(), 2 * kCallRecordSize);
    EXPECT_TRUE(rig.noted("The call log is saved again"));
}

TEST_F(CallScreenerTest, FailedCommandsAndTimersAreNoted) {
    block_list({{"", "5551234567"}});
    rig.timers.refuse = true;
    rig.port.write_failure = PortError{1460, "This operation returned because the timeout period expired."};
    call("5551234567", "");
    EXPECT_TRUE(rig.noted("The modem did not take ATA (This operation returned because the timeout period expired.)"));
    EXPECT_TRUE(rig.noted("Windows refused a timer"));
}

class BlockFutureCallsTest : public CallScreenerTest {};

TEST_F(BlockFutureCallsTest, AsksWithTheCallerShownAndAddsItPadded) {
    call("5551234567", "John Doe");
    rig.dialogs.answers = {MessageAnswer::Yes};
    rig.click(2);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].title, "Add a number to block list");
    EXPECT_EQ(rig.dialogs.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(rig.dialogs.shown[0].text,
              "Turn call blocking ON for this name/number?\r\rName: John Doe\r\rPhone Number: 555-123-4567");
    EXPECT_EQ(rig.files.files[ProgramRig::kBlockFile], "JOHN DOE            555-123-4567        ");
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);
    EXPECT_TRUE(blocked("5551234567", "SOMEONE ELSE"));
}

TEST_F(BlockFutureCallsTest, NoChangesNothingAndRefusalsAreExplainedWithTheFileUntouched) {
    call("5551234567", "A NAME OF TWENTY CHARACTERS AND MORE");
    rig.click(2);  // answered No
    EXPECT_EQ(rig.files.files[ProgramRig::kBlockFile], "");
    EXPECT_TRUE(rig.view[Control::Connect2].enabled);

    block_list({{"A NAME OF TWENTY CHA", "555-123-4567"}});
    rig.files.unreadable.insert(ProgramRig::kBlockFile);
    rig.dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Ok, MessageAnswer::Yes};
    rig.click(2);
    ASSERT_EQ(rig.dialogs.shown.size(), 3u);
    EXPECT_EQ(rig.dialogs.shown[2].title, "Block Call");
    EXPECT_EQ(rig.dialogs.shown[2].text, "The block list cannot be read (" + std::string(test::FakeFileStore::kHeld) +
                                             "), so nothing was added. Try again when it can be read.");
    rig.files.unreadable.clear();
    rig.click(2);  // the name is cut to 20 characters, so this is the entry already there
    ASSERT_EQ(rig.dialogs.shown.size(), 5u);
    EXPECT_EQ(rig.dialogs.shown[4].text, "This name/number is already being blocked.");
    EXPECT_EQ(rig.dialogs.shown[4].icon, MessageIcon::Exclamation);
    EXPECT_EQ(rig.dialogs.shown[4].modality, Modality::System);
    EXPECT_EQ(rig.files.replaces, 0);
    EXPECT_TRUE(rig.view[Control::Connect2].enabled);
}

}  // namespace
}  // namespace vantelmoor

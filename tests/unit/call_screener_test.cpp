// Screening, blocking, counting and logging of reported calls, through the port as the modem
// sends them, on the virtual clock.
#include <gtest/gtest.h>

#include "fakes/monitor_rig.h"

namespace vantelmoor {
namespace {

using test::MonitorRig;

std::string report(const std::string& number, const std::string& name) {
    std::string burst = "\r\nRING\r\n\r\nDATE=0321\r\nTIME=1405\r\nNMBR=" + number + "\r\n";
    if (!name.empty()) burst += "NAME=" + name + "\r\n";
    return burst;
}

class CallScreenerTest : public ::testing::Test {
protected:
    MonitorRig rig;

    void SetUp() override {
        rig.modem_replies([](const std::string& command) { return command + "\r\nOK\r\n"; });
        rig.session.connect_click(0);  // listening
        rig.port.writes.clear();
    }
    void block_list(const std::vector<BlockEntry>& entries) {
        rig.files.files[MonitorRig::kBlockFile] = write_block_records(entries);
    }
    void call(const std::string& number, const std::string& name) { rig.port.arrive(report(number, name)); }
    int count(const std::string& command) const {
        int n = 0;
        for (const auto& w : rig.port.writes) n += w.text == command + "\r";
        return n;
    }
    double time_of(const std::string& command, int nth = 0) const {
        for (const auto& w : rig.port.writes) {
            if (w.text == command + "\r" && nth-- == 0) return w.at;
        }
        return -1;
    }
    std::string log_bytes() { return rig.files.files[MonitorRig::kLogFile]; }
    bool blocked(const std::string& number, const std::string& name) {
        const int before = count("ATA");
        call(number, name);
        return count("ATA") > before;
    }
};

TEST_F(CallScreenerTest, ListedNumbersMatchByDigitsOrByText) {
    block_list({{"", "555-123-4567"}, {"", "5550001111"}, {"", "PRIVATE LINE"}});
    EXPECT_TRUE(blocked("5551234567", "SOMEONE"));
    EXPECT_TRUE(blocked("5550001111", "SOMEONE"));
    EXPECT_TRUE(blocked("PRIVATE LINE", "SOMEONE"));
    EXPECT_FALSE(blocked("5551234568", "SOMEONE"));
    EXPECT_FALSE(blocked("555-123-4567X", "SOMEONE"));
}

TEST_F(CallScreenerTest, ListedNamesMatchExactlyAndCaseSensitively) {
    block_list({{"JOHN DOE", ""}});
    EXPECT_FALSE(blocked("5551234567", "John Doe"));
    EXPECT_TRUE(blocked("5551234567", "JOHN DOE"));
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
}

TEST_F(CallScreenerTest, MessageLineUnknownNameBeforeTheNumberIsBlockedWithTheOption) {
    rig.settings.block_anon_name = true;
    rig.port.arrive("\r\nRING\r\nMESG=080130\r\nMESG=080130\r\nNMBR=5551234567\r\n");
    EXPECT_EQ(count("ATA"), 1);
}

TEST_F(CallScreenerTest, BlockingAnswersAtOnceAndHangsUpOnTheThirdTick) {
    block_list({{"", "5551234567"}});
    const double start = rig.loop.now_seconds();
    call("5551234567", "");  // no name line: no logging (and modem reset) in the middle of the sequence
    EXPECT_EQ(time_of("ATA"), start);
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);

    rig.loop.run_until(start + 1);
    EXPECT_EQ(rig.status(), "Flushing Call");
    EXPECT_EQ(rig.view[Control::lblStatus0].fore, kRed);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "0:04");
    EXPECT_EQ(rig.view[Control::lblStatus1].fore, kLightBlue);
    EXPECT_EQ(rig.view[Control::Shape1_0].fill, kRed);
    rig.loop.run_until(start + 2);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "0:03");
    EXPECT_EQ(count("ATH"), 0);
    rig.loop.run_until(start + 3);
    EXPECT_EQ(time_of("ATH"), start + 3);
    rig.loop.run_until(start + 4.5);
    EXPECT_FALSE(rig.timers.running(TimerId::Timer1));
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "0:01");
    rig.loop.run_until(start + 5);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "0:00");
    rig.loop.run_until(start + 6);
    EXPECT_EQ(rig.status(), "Waiting");
    EXPECT_EQ(rig.view[Control::lblStatus0].fore, kGreen);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "1 New Calls");
    EXPECT_EQ(rig.view[Control::lblStatus1].fore, kWhite);
    EXPECT_EQ(rig.view[Control::Shape1_1].fill, kGreen);
    EXPECT_FALSE(rig.timers.running(TimerId::Timer2));
    EXPECT_EQ(count("ATH"), 1);
}

TEST_F(CallScreenerTest, SecondBlockDuringTheSequenceDoesNotRestartIt) {
    block_list({{"", "5551234567"}});
    const double start = rig.loop.now_seconds();
    call("5551234567", "");
    rig.loop.run_until(start + 1.5);
    call("5551234567", "");
    rig.loop.run_until(start + 10);
    EXPECT_EQ(count("ATA"), 2);
    EXPECT_EQ(count("ATH"), 1);
    EXPECT_EQ(time_of("ATH"), start + 3);
    EXPECT_EQ(rig.settings.total_blocked, 2);
}

TEST_F(CallScreenerTest, EveryNumberLineCountsAndSavesTheTotals) {
    block_list({{"", "5551234567"}});
    call("5550000000", "A");
    call("5551234567", "B");
    EXPECT_EQ(rig.screener.new_calls(), 2);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "2 New Calls");
    EXPECT_EQ(rig.registry.text(kSettingsKey, "TotalCount"), "2");
    EXPECT_EQ(rig.registry.text(kSettingsKey, "TotalBlocked"), "1");
    EXPECT_EQ(rig.view.text(Control::Label1_4), "1");
    EXPECT_EQ(rig.windows.counted, 2);
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);
    call("5550000000", "A");
    EXPECT_TRUE(rig.view[Control::Connect2].enabled);
}

TEST_F(CallScreenerTest, CountersStopAtTheirCeilings) {
    block_list({{"", "5551234567"}});
    rig.settings.total_count = 32766;
    rig.settings.total_blocked = 32767;
    rig.registry.put_text(kSettingsKey, "TotalBlocked", "32767");
    for (int i = 0; i < 300; ++i) call("5550000000", "");
    call("5551234567", "");
    EXPECT_EQ(rig.screener.new_calls(), 255);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "255 New Calls");
    EXPECT_EQ(rig.settings.total_count, 32767);
    EXPECT_EQ(rig.settings.total_blocked, 32767);
    EXPECT_EQ(rig.view.text(Control::Label1_4), "0");  // never shown a change
    EXPECT_EQ(count("ATA"), 1);                          // still answered ...
    rig.loop.run_until(rig.loop.now_seconds() + 4);
    EXPECT_EQ(count("ATH"), 1);                          // ... and hung up
}

TEST_F(CallScreenerTest, CallIsLoggedFiveSecondsAfterItsNameLineAndTheModemReset) {
    block_list({{"", "5551234567"}});
    const double start = rig.loop.now_seconds();
    call("5551234567", "JOHN DOE");
    rig.loop.run_until(start + 4.9);
    EXPECT_TRUE(log_bytes().empty());
    rig.port.writes.clear();
    rig.loop.run_until(start + 9);

    const std::string expected = std::string("03/21     02:05 PM  JOHN DOE            5551234567          Y");
    EXPECT_EQ(log_bytes(), expected);
    EXPECT_EQ(rig.status(), "Waiting");
    EXPECT_EQ(rig.record.caller_name, "");
    EXPECT_EQ(rig.record.caller_number, "");
    EXPECT_EQ(rig.view.text(Control::txtName), "JOHN DOE");  // the boxes keep the call
    EXPECT_EQ(rig.windows.logged, 1);
    EXPECT_EQ(rig.port.written_texts()[0], "ATZ\r");
    EXPECT_FALSE(rig.screener.block_flag());

    call("5550000000", "JANE ROE");
    rig.loop.run_until(rig.loop.now_seconds() + 6);
    ASSERT_EQ(log_bytes().size(), 122u);
    EXPECT_EQ(log_bytes()[121], '\0');
    EXPECT_EQ(log_bytes().substr(61, 20), "03/21     02:05 PM  ");
}

TEST_F(CallScreenerTest, LongNamesAreCutInTheLogButScreenedWhole) {
    block_list({{"A NAME OF TWENTY CHA", ""}});
    EXPECT_FALSE(blocked("5550000000", "A NAME OF TWENTY CHARACTERS AND MORE"));
    rig.loop.run_until(rig.loop.now_seconds() + 6);
    EXPECT_EQ(log_bytes().substr(20, 20), "A NAME OF TWENTY CHA");
}

class SoundScreeningTest : public CallScreenerTest {};

TEST_F(SoundScreeningTest, BlankFieldsOfAnEntryNeverMatch) {
    block_list({{"", "5551234567"}, {"SOMEBODY", ""}});
    EXPECT_FALSE(blocked("5550000000", ""));  // no name known yet: the blank name must not match
    rig.port.arrive("\r\nRING\r\nNMBR=\r\n");  // no number: the blank number must not match
    EXPECT_EQ(count("ATA"), 0);
    EXPECT_TRUE(blocked("5551234567", ""));  // an entry with only a number blocks by number
    EXPECT_TRUE(blocked("5550000000", "SOMEBODY"));  // one with only a name, by name
}

TEST_F(SoundScreeningTest, NameArrivingAfterTheNumberIsScreenedAndCountedOnce) {
    block_list({{"JOHN DOE", ""}});
    const double start = rig.loop.now_seconds();
    rig.port.arrive("\r\nRING\r\nNMBR=5551234567\r\n");
    EXPECT_EQ(count("ATA"), 0);
    EXPECT_TRUE(rig.view[Control::Connect2].enabled);
    rig.loop.run_until(start + 0.5);
    rig.port.arrive("NAME=JOHN DOE\r\n");
    EXPECT_EQ(count("ATA"), 1);
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);
    EXPECT_EQ(rig.settings.total_count, 1);
    EXPECT_EQ(rig.settings.total_blocked, 1);
    rig.loop.run_until(start + 6);
    EXPECT_EQ(log_bytes().back(), 'Y');
}

TEST_F(SoundScreeningTest, UnknownNameAfterTheNumberIsBlockedWithTheOption) {
    rig.settings.block_anon_name = true;
    rig.port.arrive("\r\nRING\r\nNMBR=5551234567\r\nNAME=UNKNOWN NAME\r\n");
    EXPECT_EQ(count("ATA"), 1);
}

TEST_F(SoundScreeningTest, BlockedCallWithoutNameDoesNotBlockTheNext) {
    block_list({{"", "5551234567"}});
    call("5551234567", "");
    EXPECT_TRUE(rig.screener.block_flag());
    rig.loop.run_until(rig.loop.now_seconds() + 10);
    call("5550000000", "JANE ROE");
    EXPECT_FALSE(rig.screener.block_flag());
    rig.loop.run_until(rig.loop.now_seconds() + 6);
    EXPECT_EQ(log_bytes().size(), 61u);
    EXPECT_EQ(log_bytes()[60], '\0');
}

TEST_F(SoundScreeningTest, ReportBeforeTheRingStillLogsTheBlock) {
    block_list({{"", "5551234567"}});
    rig.port.arrive("\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nNAME=JOHN DOE\r\n\r\nRING\r\n");
    rig.loop.run_until(rig.loop.now_seconds() + 6);
    ASSERT_EQ(log_bytes().size(), 61u);
    EXPECT_EQ(log_bytes()[60], 'Y');
}

class BlockFutureCallsTest : public CallScreenerTest {};

TEST_F(BlockFutureCallsTest, AsksWithTheCallerShownAndAddsItPadded) {
    call("5551234567", "John Doe");
    rig.dialogs.answers = {MessageAnswer::Yes};
    rig.session.connect_click(2);

    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].title, "Add a number to block list");
    EXPECT_EQ(rig.dialogs.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(rig.dialogs.shown[0].text,
              "Turn call blocking ON for this name/number?\r\rName: John Doe\r\rPhone Number: 555-123-4567");
    EXPECT_EQ(rig.files.files[MonitorRig::kBlockFile], "JOHN DOE            555-123-4567        ");
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);
    EXPECT_TRUE(blocked("5551234567", "SOMEONE ELSE"));
}

TEST_F(BlockFutureCallsTest, NoLeavesTheListAloneAndLongNamesAreCut) {
    call("5551234567", "A NAME OF TWENTY CHARACTERS AND MORE");
    rig.session.connect_click(2);  // answered No
    EXPECT_EQ(rig.files.files[MonitorRig::kBlockFile], "");
    EXPECT_TRUE(rig.view[Control::Connect2].enabled);

    rig.dialogs.answers = {MessageAnswer::Yes};
    rig.session.connect_click(2);
    EXPECT_NE(rig.dialogs.shown[1].text.find("A NAME OF TWENTY CHARACTERS AND MORE"), std::string::npos);
    EXPECT_EQ(rig.files.files[MonitorRig::kBlockFile].substr(0, 20), "A NAME OF TWENTY CHA");
}

}  // namespace
}  // namespace vantelmoor

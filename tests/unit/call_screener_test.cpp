// Screening, blocking, counting and logging of calls as the modem reports them, on the virtual clock.
#include <gtest/gtest.h>

#include "fakes/program_rig.h"

namespace vantelmoor {
namespace {

using test::ProgramRig;
using Texts = std::vector<std::string>;

const std::string kJohnDoeBlocked = "03/21     02:05 PM  JOHN DOE            5551234567          Y";

class CallScreenerTest : public ::testing::Test {
protected:
    ProgramRig rig;

    void SetUp() override { rig.listen(); }
};

TEST_F(CallScreenerTest, ANameIsScreenedWhenItComesAndAnonymousCallersAreBlockedOnlyWithTheirOption) {
    rig.block_list({{"JOHN DOE", ""}});
    EXPECT_TRUE(rig.answered("5551234567", "JOHN DOE", 0.5));
    rig.port.arrive("\r\nRING\r\nMESG=080130\r\nNAME=JOHN DOE\r\n");  // the number only from a message
    rig.after(8);
    EXPECT_EQ(rig.settings.total_count, 2);
    EXPECT_FALSE(rig.answered("5551234567", "Unknown Caller"));
    EXPECT_FALSE(rig.answered("PRIVATE", "PRIVATE"));
    rig.settings.block_anon_name = rig.settings.block_anon_num = true;
    const std::tuple<const char*, const char*, bool> cases[] = {{"5551234567", "Unknown Caller", true},
                                                                {"private", "SOMEONE", true},
                                                                {"P", "SOMEONE", false},
                                                                {"O", "O", false}};
    for (const auto& [number, name, expected] : cases)
        EXPECT_EQ(rig.answered(number, name), expected) << number << name;
    rig.port.arrive("\r\nRING\r\nMESG=080130\r\nMESG=080130\r\nNMBR=5551234567\r\n");  // the name set by messages
    EXPECT_EQ(rig.count("ATA"), 5);
}

// The number line some modems repeat is the same call: no second answer, the hang-up not put off.
TEST_F(CallScreenerTest, BlockingAnswersAtOnceHangsUpOnceThreeSecondsLaterAndCountsDown) {
    rig.block_list({{"", "5551234567"}});
    const double start = rig.loop.now_seconds();
    rig.port.arrive(ProgramRig::report("5551234567", ""));
    EXPECT_EQ(rig.count("ATA"), 1);
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);
    rig.after(1.5);
    rig.port.arrive(ProgramRig::report("5551234567", ""));
    rig.after(3);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "0:01");
    EXPECT_EQ(rig.status(), "Flushing Call");
    rig.after(1.5);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "1 New Calls");  // the countdown over
    rig.after(10);  // both timers stopped: no second hang-up, no countdown again
    EXPECT_EQ(rig.status(), "Waiting");
    ASSERT_EQ(rig.port.written_texts(), (Texts{"ATA\r", "ATH\r", "ATZ\r", "AT+VCID=1\r"}));
    EXPECT_EQ(rig.port.writes[1].at, start + 3);
}

TEST_F(CallScreenerTest, TheCountersStopAtTheirCeilingsAndACallIsStillBlocked) {
    rig.block_list({{"", "5551234567"}});
    rig.settings.total_count = 32766;
    rig.settings.total_blocked = 32767;
    for (int i = 0; i < 300; ++i) rig.answered("5550000000", "");
    EXPECT_TRUE(rig.answered("5551234567", ""));
    EXPECT_EQ(rig.count("ATH"), 1);
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "255 New Calls");
    EXPECT_EQ(rig.settings.total_count, 32767);
    EXPECT_EQ(rig.registry.text(kSettingsKey, "TotalBlocked"), "<absent>");  // neither counted on nor saved
}

// However the report ends (the answer's echo cutting in, the number line repeated).
TEST(CallLoggingTest, ACallIsLoggedFiveSecondsAfterItsLastLineAndCountedOnce) {
    const std::pair<Texts, std::string> reports[] = {
        {{ProgramRig::report("5551234567", ""), "ATA\r", "NAME=JOHN DOE\r\n"}, kJohnDoeBlocked},
        {{ProgramRig::report("5551234567", ""), "NMBR=5551234567X\r\nNAME=JOHN DOE\r\n"},
         "03/21     02:05 PM  JOHN DOE            5551234567X         Y"},
    };
    for (const auto& [lines, logged] : reports) {
        ProgramRig rig;
        rig.listen();
        rig.block_list({{"", "5551234567"}});
        for (const std::string& part : lines) rig.port.arrive(part);
        rig.after(4.9);
        EXPECT_TRUE(rig.files.files[ProgramRig::kLogFile].empty());
        rig.after(0.2);
        EXPECT_EQ(rig.files.files[ProgramRig::kLogFile], logged);
        EXPECT_EQ(rig.settings.total_count, 1);
        EXPECT_NE(rig.view.text(Control::txtNumber), "");  // the boxes keep the call
        rig.answered("5550000000", "JANE ROE");
        EXPECT_EQ(rig.files.files[ProgramRig::kLogFile].back(), '\0') << logged;  // a block does not carry over
    }
}

TEST_F(CallScreenerTest, EveryFailureIsSaidAndCallsTheLogCouldNotTakeGoInWithTheNextSave) {
    rig.files.fail_replace = true;
    rig.answered("5551234567", "JOHN DOE");
    EXPECT_EQ(rig.status(), "Log Not Saved");
    rig.files.fail_replace = false;
    rig.files.unreadable.insert(ProgramRig::kLogFile);
    rig.answered("5550000000", "JANE ROE");
    EXPECT_EQ(rig.status(), "Log Unreadable");
    rig.files.unreadable.clear();
    rig.answered("5550001111", "JIM POE");
    EXPECT_EQ(read_call_records(rig.files.files[ProgramRig::kLogFile]).size(), 3u);
    EXPECT_TRUE(rig.noted("The call log is saved again"));
    rig.block_list({{"", "5551234567"}});
    rig.timers.refuse = true;
    rig.port.write_failure = PortError{1460, "This operation returned because the timeout period expired."};
    rig.port.arrive(ProgramRig::report("5551234567", ""));
    EXPECT_TRUE(rig.noted("The modem did not take ATA (This operation returned because the timeout period expired.)"));
    EXPECT_TRUE(rig.noted("Windows refused a timer"));
}

// The monitor window's button adds the caller as shown; a list that cannot be read screens as last read.
TEST_F(CallScreenerTest, BlockingFutureCallsAsksFirstAndAnUnreadableListTakesNothingAndIsScreenedAsLastRead) {
    rig.port.arrive(ProgramRig::report("5551234567", "A NAME OF TWENTY CHARACTERS AND MORE"));
    rig.click(2);  // answered No
    rig.files.unreadable.insert(ProgramRig::kBlockFile);
    rig.dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Ok};
    rig.click(2);
    ASSERT_EQ(rig.dialogs.shown.size(), 3u);
    EXPECT_EQ(rig.dialogs.shown[2].text.rfind("The block list cannot be read (", 0), 0u);
    EXPECT_TRUE(rig.view[Control::Connect2].enabled);
    rig.files.unreadable.clear();
    rig.dialogs.answers = {MessageAnswer::Yes};
    rig.click(2);
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);
    EXPECT_TRUE(rig.answered("5551234567", "SOMEONE ELSE"));
    rig.files.unreadable.insert(ProgramRig::kBlockFile);
    EXPECT_TRUE(rig.answered("5551234567", "SOMEONE ELSE"));
    EXPECT_TRUE(rig.noted("The block list C:\\Vantelmoor\\Vantelmoor.dat cannot be read"));
}

}  // namespace
}  // namespace vantelmoor

// Characters from the port through the receive stream and the caller-ID parser into the call
// record and the monitor window, as whole bursts the way modems send them.
#include <gtest/gtest.h>

#include "fakes/monitor_rig.h"

namespace vantelmoor {
namespace {

using test::MonitorRig;

class ReceiveStreamTest : public ::testing::Test {
protected:
    MonitorRig rig;

    void SetUp() override {
        ASSERT_FALSE(rig.port.set_port_open(true));
        rig.port.set_input_len(1);  // as listening sets it
    }
    void receive(const std::string& bytes) { rig.port.arrive(bytes); }
    std::string shown(Control control) const { return rig.view.text(control); }

    void expect_john_doe() {
        EXPECT_EQ(shown(Control::txtDate), "03/21");
        EXPECT_EQ(shown(Control::txtTime), "02:05 PM");
        EXPECT_EQ(shown(Control::txtNumber), "555-123-4567");
        EXPECT_EQ(shown(Control::txtName), "JOHN DOE");
        EXPECT_EQ(rig.record.call_date, "03/21");
        EXPECT_EQ(rig.record.call_time, "02:05 PM");
        EXPECT_EQ(rig.record.caller_number, "5551234567");
        EXPECT_EQ(rig.record.caller_name, "JOHN DOE");
        EXPECT_TRUE(rig.record.name_seen);
        EXPECT_TRUE(rig.record.number_seen);
        EXPECT_EQ(rig.numbers_reported, 1);
        EXPECT_EQ(rig.names_reported, 1);
        EXPECT_EQ(rig.status(), "Analyzing Call");
    }
};

TEST_F(ReceiveStreamTest, ReportWithEqualsSignsFillsRecordAndBoxes) {
    receive("\r\nRING\r\n\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nNAME=JOHN DOE\r\n");
    expect_john_doe();
}

TEST_F(ReceiveStreamTest, ReportWithSpacedEqualsSignsGivesTheSameValues) {
    receive("\r\nRING\r\n\r\nDATE = 0321\r\nTIME = 1405\r\nNMBR = 5551234567\r\nNAME = JOHN DOE\r\n");
    expect_john_doe();
}

TEST_F(ReceiveStreamTest, ReportBeforeTheFirstRingAndDistinctiveRingsAreRead) {
    receive("\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nNAME=JOHN DOE\r\n\r\nRING A\r\n");
    EXPECT_EQ(shown(Control::txtName), "JOHN DOE");
    EXPECT_EQ(rig.numbers_reported, 1);
    // RING clears only the flags of the call, never its fields.
    EXPECT_FALSE(rig.record.name_seen);
    EXPECT_FALSE(rig.record.number_seen);
    EXPECT_EQ(rig.record.caller_number, "5551234567");
}

TEST_F(ReceiveStreamTest, LineWithoutLeadingLineFeedIsShiftedAndIgnored) {
    receive("NMBR=5551234567\r");
    EXPECT_EQ(rig.numbers_reported, 0);
    EXPECT_EQ(shown(Control::txtNumber), "");
    receive("\nNMBR=5551234567\r");
    EXPECT_EQ(rig.numbers_reported, 1);
}

TEST_F(ReceiveStreamTest, EveryCharacterIsEchoedIntoTheActivityLog) {
    const std::string burst = "\r\nRING\r\n\x10R\r\nOK\r\n";
    receive(burst);
    EXPECT_EQ(shown(Control::txtStatus), burst);
}

TEST_F(ReceiveStreamTest, ShieldedEventCodeFlipsTheLightsAndLeavesTheLineAlone) {
    receive("\nNMBR=555\x10");
    EXPECT_EQ(rig.view[Control::Shape1_0].fill, kGreen);  // light_state false -> true
    EXPECT_EQ(rig.view[Control::Shape1_1].fill, kGreen);
    receive("R1234567\r");  // R is the event code, skipped
    EXPECT_EQ(rig.record.caller_number, "5551234567");

    receive("\x10\x10");  // the second DLE is the code: one flip only
    EXPECT_EQ(rig.view[Control::Shape1_0].fill, kRed);
    EXPECT_EQ(rig.view[Control::Shape1_1].fill, kRed);
}

TEST_F(ReceiveStreamTest, DdnNumberIsReadAsTheNumber) {
    receive("\r\nDDN_NMBR=5551234567\r\n");
    EXPECT_EQ(rig.record.caller_number, "5551234567");
    EXPECT_EQ(shown(Control::txtNumber), "555-123-4567");
    EXPECT_EQ(rig.numbers_reported, 1);
}

TEST_F(ReceiveStreamTest, NumbersThatAreNotTenOrSevenDigitsAreShownAsReceived) {
    const std::pair<const char*, const char*> cases[] = {
        {"5551234", "555-1234"}, {"P", "P"}, {"O", "O"}, {"PRIVATE", "PRIVATE"}, {"18005551234", "18005551234"}};
    for (const auto& [value, display] : cases) {
        receive(std::string("\nNMBR=") + value + "\r");
        EXPECT_EQ(shown(Control::txtNumber), display);
        EXPECT_EQ(rig.record.caller_number, value);
    }
}

TEST_F(ReceiveStreamTest, MalformedDateAndTimeLeaveTheRecordUnchanged) {
    receive("\nDATE=0321\r\nTIME=0005\r");
    EXPECT_EQ(rig.record.call_time, "12:05 AM");
    receive("\nDATE=1332\r\nTIME=2599\r");
    EXPECT_EQ(shown(Control::txtDate), "13/32");
    EXPECT_EQ(shown(Control::txtTime), "25:99");
    EXPECT_EQ(rig.record.call_date, "03/21");
    EXPECT_EQ(rig.record.call_time, "12:05 AM");
    receive("\nDATE=\r\nTIME=1\r\nDATEXX\r");  // too short: a built text, nothing stored
    EXPECT_EQ(rig.record.call_date, "03/21");
    EXPECT_EQ(rig.record.call_time, "12:05 AM");
}

TEST_F(ReceiveStreamTest, NameLineWithoutValueStillCompletesTheCall) {
    receive("\nNAME=\r");
    EXPECT_EQ(rig.names_reported, 1);
    EXPECT_FALSE(rig.record.name_seen);
    EXPECT_EQ(rig.status(), "Initializing");
}

TEST_F(ReceiveStreamTest, ShortMessagesSettleNumberThenNameToUnknown) {
    receive("\r\nRING\r\nMESG=080130\r\n");
    EXPECT_EQ(rig.record.caller_number, "UNKNOWN");
    EXPECT_EQ(shown(Control::txtNumber), "UNKNOWN");
    receive("MESG = 080130\r\n");
    EXPECT_EQ(rig.record.caller_name, "UNKNOWN");
    EXPECT_TRUE(rig.record.name_seen);
    rig.record.caller_name = "kept";
    receive("MESG=080130\r\n");
    EXPECT_EQ(rig.record.caller_name, "kept");
    EXPECT_EQ(rig.numbers_reported, 0);
    EXPECT_EQ(rig.names_reported, 0);
}

TEST_F(ReceiveStreamTest, ShortMessageAfterTheNumberLineKeepsTheKnownNumber) {
    receive("\r\nRING\r\nNMBR=5551234567\r\nMESG=080130\r\n");
    EXPECT_EQ(rig.record.caller_number, "5551234567");
    EXPECT_EQ(rig.record.caller_name, "UNKNOWN");
}

TEST_F(ReceiveStreamTest, LongMessageYieldsSevenDigitsAndAnUnknownName) {
    // Bytes 3 to 9 are the ASCII digits 5551234: their second hex digits spell the number.
    receive("\r\nRING\r\nMESG=0207353535313233340A\r\n");
    EXPECT_EQ(shown(Control::txtNumber), "5551234");
    EXPECT_EQ(rig.record.caller_number, "");
    EXPECT_EQ(rig.record.caller_name, "UNKNOWN");
    EXPECT_TRUE(rig.record.number_seen);
}

TEST_F(ReceiveStreamTest, MessageLengthsOtherThanSixOrAbove14DoNothing) {
    receive("\nMESG=0801\r\nMESG = 08013012345678\r");  // 4 and 14 hex digits
    EXPECT_EQ(shown(Control::txtNumber), "");
    EXPECT_FALSE(rig.record.number_seen);
}

TEST_F(ReceiveStreamTest, EndlessLineIsCutButTheLogKeepsGoing) {
    receive(std::string(5000, 'x'));
    receive("\r");
    receive("\nNMBR=5551234567\r");
    EXPECT_EQ(rig.record.caller_number, "5551234567");
    EXPECT_EQ(rig.log.text().size(), 5000u + 1 + 17);
}

TEST_F(ReceiveStreamTest, CallerDataContainingErrorDoesNotTouchTheSession) {
    rig.view.set_text(Control::Connect0, kPauseCaption);
    receive("\r\nNAME=TERRORS\r\nNMBR=ERROR\r\nERRORS\r\n");
    EXPECT_EQ(rig.settings.comm_command, "AT+VCID=1");
    EXPECT_TRUE(rig.port.port_open());
    EXPECT_EQ(rig.toggle_caption(), kPauseCaption);
    EXPECT_EQ(rig.record.caller_name, "TERRORS");
}

}  // namespace
}  // namespace vantelmoor

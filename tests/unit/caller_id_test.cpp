// Characters from the port through the receive stream and the caller-ID parser into the record and the window.
#include <gtest/gtest.h>

#include "fakes/program_rig.h"
#include "monitor/phone_number.h"

namespace vantelmoor {
namespace {

using test::ProgramRig;

class CallerIdTest : public ::testing::Test {
protected:
    ProgramRig rig;
    void SetUp() override { rig.listen(); }
};

class ReportFormTest : public CallerIdTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ReportFormTest, FillsTheRecordAndTheCallerBoxesAndIsScreenedOnce) {
    rig.port.arrive(GetParam());
    EXPECT_EQ(rig.view.text(Control::txtDate), "03/21");
    EXPECT_EQ(rig.view.text(Control::txtTime), "02:05 PM");
    EXPECT_EQ(rig.view.text(Control::txtNumber), "555-123-4567");
    EXPECT_EQ(rig.view.text(Control::txtName), "JOHN DOE");
    EXPECT_EQ(rig.settings.total_count, 1);
    EXPECT_EQ(rig.status(), "Analyzing Call");
}

// Every one of these is the JOHN DOE call of 03/21, 14:05, from 5551234567 (the usual form is every other test's).
INSTANTIATE_TEST_SUITE_P(
    Forms, ReportFormTest,
    ::testing::Values("\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nNAME=JOHN DOE\r\n\r\nRING A\r\n",
                      "RING\rDATE=0321\rTIME=1405\rNMBR=5551234567\rNAME=JOHN DOE\r",
                      "\r\n\r  DATE=0321\r\n \rTIME=1405\r\n\r\rNMBR=5551234567\r\n  NAME=JOHN DOE\r\n",
                      "\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nNAME=JOHN DOE\r\nATA\r\r\n",
                      "\r\nCID RING\r\nDATE=0321\r\nTIME=1405\r\nDDN_NMBR=5551234567\r\nNAME=JOHN DOE\r\n",
                      "\r\nDATE=0321\r\nTIME=1405\r\nDDN = 5551234567\r\nNAME=JOHN DOE\r\n",
                      "\r\nDATE=0321\r\nTIME=1405\r\nNBR=5551234567\r\nNAME=JOHN DOE\r\n"));

TEST_F(CallerIdTest, EveryCharacterIsEchoedPastAnEndlessLineAndShieldedCodesFlipTheLightsOnly) {
    rig.port.arrive("\r\nNMBR=555\x10R1234567\r\n");  // R is the event code: skipped
    EXPECT_EQ(rig.record.caller_number, "5551234567");
    EXPECT_EQ(rig.view[Control::Shape1_0].fill, kGreen);  // light_state false -> true
    rig.port.arrive("\x10\x10");                          // the second DLE is the code: one flip
    EXPECT_EQ(rig.view[Control::Shape1_1].fill, kRed);
    EXPECT_NE(rig.view.text(Control::txtStatus).find("\r\nNMBR=555\x10R1234567\r\n\x10\x10"), std::string::npos);
    const std::size_t before = rig.log.text().size();
    rig.port.arrive(std::string(5000, 'x') + "\r\nNMBR=5550001111\r");  // the line is cut, the log keeps all
    EXPECT_EQ(rig.record.caller_number, "5550001111");
    EXPECT_EQ(rig.log.text().size(), before + 5000 + 18);
}

// Taken for the modem's reply to the caller-ID command, caller data holding ERROR would change it.
TEST_F(CallerIdTest, KeywordsAndRepliesAreCaseSensitiveWholeWordsAndValuesKeepTheirSpaces) {
    rig.port.arrive("\r\nNAME=TERRORS\r\nNMBR=ERROR\r\nERRORS\r\n");
    EXPECT_EQ(rig.settings.comm_command, "AT+VCID=1");
    rig.port.arrive("\r\nnmbr=5551234567\r\nNMBRX=1\r\nRINGING\r\nOK\r\n");
    EXPECT_EQ(rig.record.caller_number, "ERROR");
    rig.port.arrive("\r\nNAME=  JOHN  DOE  \r\nNAME:JANE\r\n");
    EXPECT_EQ(rig.record.caller_name, "JANE");
    rig.port.arrive("\r\nNMBR = 555 1234 \r\n");
    EXPECT_EQ(rig.record.caller_number, "555 1234 ");
}

// The length is judged trimmed; the pieces are cut from the text as sent.
TEST(PhoneNumberTest, OnlyTenAndSevenDigitNumbersGetDashes) {
    EXPECT_EQ(display_number("5551234"), "555-1234");
    EXPECT_EQ(display_number("5551234 "), "555-234 ");
    for (const char* as_sent : {"PRIVATE", "18005551234", "555123456"}) EXPECT_EQ(display_number(as_sent), as_sent);
}

TEST_F(CallerIdTest, LinesThatCarryNoDateTimeOrCallerLeaveTheRecordAsItWasAndMessagesSettleTheCallerAsUnknown) {
    rig.port.arrive("\r\nDATE TIME=11/24 00:05\r\n");  // on one line, as modems in France print them
    EXPECT_EQ(rig.record.call_time, "12:05 AM");
    rig.port.arrive("\nDATE=1332\r\nTIME=2599\r");
    EXPECT_EQ(rig.view.text(Control::txtDate), "13/32");  // the boxes show the text built from the line
    EXPECT_EQ(rig.view.text(Control::txtTime), "25:99");
    rig.port.arrive("\nDATE=\r\nTIME=1\r");
    EXPECT_EQ(rig.record.call_date, "11/24");
    EXPECT_EQ(rig.record.call_time, "12:05 AM");
    rig.port.arrive("\r\nRING\r\nMESG=080130\r\nMESG = 080130\r\n");
    EXPECT_EQ(rig.record.caller_number, "UNKNOWN");
    EXPECT_EQ(rig.record.caller_name, "UNKNOWN");
    rig.record.caller_name = "kept";
    rig.port.arrive("MESG=080130\r\nMESG=0801\r\nMESG=08013012345678\r\n");  // a third, and 4 and 14 digits: nothing
    EXPECT_EQ(rig.record.caller_name, "kept");
    rig.port.arrive("\r\nRING\r\nMESG=0207353535313233340A\r\n");  // bytes 3 to 9 the ASCII digits 5551234
    EXPECT_EQ(rig.view.text(Control::txtNumber), "5551234");
    EXPECT_EQ(rig.record.caller_name, "UNKNOWN");
    EXPECT_EQ(rig.settings.total_count, 0);  // message lines are not screened
}

}  // namespace
}  // namespace vantelmoor

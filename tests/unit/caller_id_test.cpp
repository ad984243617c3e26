// Characters from the port through the receive stream and the caller-ID parser into the call
// record and the monitor window, in the forms modems really send them.
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

struct Report {
    const char* name;
    const char* burst;
};

// Every one of these is the JOHN DOE call of 03/21, 14:05, from 5551234567.
const Report kReports[] = {
    {"EqualsSigns", "\r\nRING\r\n\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nNAME=JOHN DOE\r\n"},
    {"SpacedEqualsSigns", "\r\nRING\r\n\r\nDATE = 0321\r\nTIME = 1405\r\nNMBR = 5551234567\r\nNAME = JOHN DOE\r\n"},
    {"ReportBeforeADistinctiveRing",
     "\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nNAME=JOHN DOE\r\n\r\nRING A\r\n"},
    {"CarriageReturnsOnly", "RING\rDATE=0321\rTIME=1405\rNMBR=5551234567\rNAME=JOHN DOE\r"},
    {"StrayCarriageReturnsAndSpaces",
     "\r\n\r  DATE=0321\r\n \rTIME=1405\r\n\r\rNMBR=5551234567\r\n  NAME=JOHN DOE\r\n"},
    {"EchoOfTheAnswerTookTheLineFeed", "\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nATA\rNAME=JOHN DOE\r\n"},
    {"EchoInsideTheBlankLineAfter", "\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nNAME=JOHN DOE\r\nATA\r\r\n"},
    {"DdnNmbrLabel", "\r\nCID RING\r\nDATE=0321\r\nTIME=1405\r\nDDN_NMBR=5551234567\r\nNAME=JOHN DOE\r\n"},
    {"DdnLabel", "\r\nDATE=0321\r\nTIME=1405\r\nDDN = 5551234567\r\nNAME=JOHN DOE\r\n"},
    {"NbrLabel", "\r\nDATE=0321\r\nTIME=1405\r\nNBR=5551234567\r\nNAME=JOHN DOE\r\n"},
};

class ReportFormTest : public CallerIdTest, public ::testing::WithParamInterface<Report> {};

TEST_P(ReportFormTest, FillsTheRecordAndTheCallerBoxesAndIsScreenedOnce) {
    rig.port.arrive(GetParam().burst);
    EXPECT_EQ(rig.view.text(Control::txtDate), "03/21");
    EXPECT_EQ(rig.view.text(Control::txtTime), "02:05 PM");
    EXPECT_EQ(rig.view.text(Control::txtNumber), "555-123-4567");
    EXPECT_EQ(rig.view.text(Control::txtName), "JOHN DOE");
    EXPECT_EQ(rig.settings.total_count, 1);
    EXPECT_EQ(rig.status(), "Analyzing Call");
}

INSTANTIATE_TEST_SUITE_P(Forms, ReportFormTest, ::testing::ValuesIn(kReports),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CallerIdTest, EveryCharacterIsEchoedAndShieldedCodesFlipTheLightsOnly) {
    rig.port.arrive("\r\nNMBR=555\x10R1234567\r\n");  // R is the event code: skipped
    EXPECT_EQ(rig.record.caller_number, "5551234567");
    EXPECT_EQ(rig.view[Control::Shape1_0].fill, kGreen);  // light_state false -> true
    rig.port.arrive("\x10\x10");                          // the second DLE is the code: one flip
    EXPECT_EQ(rig.view[Control::Shape1_1].fill, kRed);
    EXPECT_NE(rig.view.text(Control::txtStatus).find("\r\nNMBR=555\x10R1234567\r\n\x10\x10"), std::string::npos);
}

TEST_F(CallerIdTest, KeywordsAreCaseSensitiveWholeWordsAndValuesKeepTheirSpaces) {
    rig.port.arrive("\r\nnmbr=5551234567\r\nNMBRX=1\r\nRINGING\r\nOK\r\n");
    EXPECT_EQ(rig.settings.total_count, 0);
    rig.port.arrive("\r\nNAME=  JOHN  DOE  \r\nNAME:JANE\r\n");
    EXPECT_EQ(rig.record.caller_name, "JANE");
    rig.port.arrive("\r\nNMBR = 555 1234 \r\n");
    EXPECT_EQ(rig.record.caller_number, "555 1234 ");
}

TEST_F(CallerIdTest, OnlyTenAndSevenDigitNumbersGetDashes) {
    const std::pair<const char*, const char*> cases[] = {{"5551234", "555-1234"},
                                                         {"P", "P"},
                                                         {"PRIVATE", "PRIVATE"},
                                                         {"18005551234", "18005551234"},
                                                         {"555123456", "555123456"}};
    for (const auto& [value, display] : cases) {
        rig.port.arrive(std::string("\nNMBR=") + value + "\r");
        EXPECT_EQ(rig.view.text(Control::txtNumber), display);
    }
    EXPECT_EQ(display_number("5551234 "), "555-234 ");  // judged trimmed, cut from the text as sent
}

TEST_F(CallerIdTest, DatesAndTimesThatAreNoneLeaveTheRecordAsItWas) {
    rig.port.arrive("\r\nDATE TIME=11/24 22:10\r\n");  // on one line, as modems in France print them
    EXPECT_EQ(rig.record.call_time, "10:10 PM");
    rig.port.arrive("\nDATE=0321\r\nTIME=0005\r");
    EXPECT_EQ(rig.record.call_time, "12:05 AM");
    rig.port.arrive("\nDATE=1332\r\nTIME=2599\r");
    EXPECT_EQ(rig.view.text(Control::txtDate), "13/32");  // the boxes show the text built from the line
    EXPECT_EQ(rig.view.text(Control::txtTime), "25:99");
    rig.port.arrive("\nDATE=\r\nTIME=1\r");
    EXPECT_EQ(rig.record.call_date, "03/21");
    EXPECT_EQ(rig.record.call_time, "12:05 AM");
}

TEST_F(CallerIdTest, MessageLinesSettleTheNumberThenTheNameAsUnknown) {
    rig.port.arrive("\r\nRING\r\nMESG=080130\r\nMESG = 080130\r\n");
    EXPECT_EQ(rig.record.caller_number, "UNKNOWN");
    EXPECT_EQ(rig.record.caller_name, "UNKNOWN");
    rig.record.caller_name = "kept";
    rig.port.arrive("MESG=080130\r\nMESG=0801\r\nMESG=08013012345678\r\n");  // a third, and 4 and 14 digits: nothing
    EXPECT_EQ(rig.record.caller_name, "kept");
    // Bytes 3 to 9 are the ASCII digits 5551234: their second hex digits spell the number.
    rig.port.arrive("\r\nRING\r\nMESG=0207353535313233340A\r\n");
    EXPECT_EQ(rig.view.text(Control::txtNumber), "5551234");
    EXPECT_EQ(rig.record.caller_name, "UNKNOWN");
    EXPECT_EQ(rig.settings.total_count, 0);  // message lines are not screened
}

TEST_F(CallerIdTest, AnEndlessLineIsCutButTheLogKeepsEverything) {
    const std::size_t before = rig.log.text().size();
    rig.port.arrive(std::string(5000, 'x') + "\r\nNMBR=5551234567\r");
    EXPECT_EQ(rig.record.caller_number, "5551234567");
    EXPECT_EQ(rig.log.text().size(), before + 5000 + 18);
}

TEST_F(CallerIdTest, CallerDataContainingErrorIsNoReplyOfTheModem) {
    rig.port.arrive("\r\nNAME=TERRORS\r\nNMBR=ERROR\r\nERRORS\r\n");
    EXPECT_EQ(rig.settings.comm_command, "AT+VCID=1");
    EXPECT_EQ(rig.record.caller_name, "TERRORS");
}

}  // namespace
}  // namespace vantelmoor

// Single lines straight into the parser: the keyword's place, the value rules and what each line
// leaves in the record.
#include <gtest/gtest.h>

#include "fakes/fake_view.h"
#include "monitor/caller_id_parser.h"
#include "monitor/phone_number.h"

namespace vantelmoor {
namespace {

class ParserTest : public ::testing::Test {
protected:
    test::FakeMainView view;
    CallRecord record;
    int numbers = 0;
    int names = 0;
    CallerIdParser parser{view, record, {[this] { ++numbers; }, [this] { ++names; }}};
};

TEST_F(ParserTest, KeywordsAreCaseSensitiveAndUnknownLinesAreIgnored) {
    parser.parse_line("\nnmbr=5551234567");
    parser.parse_line("\nOK");
    parser.parse_line("");
    parser.parse_line("\nAT+VCID=1");
    EXPECT_EQ(numbers, 0);
    EXPECT_EQ(record.caller_number, "");
}

TEST_F(ParserTest, ValuesKeepTheirInnerAndTrailingSpaces) {
    parser.parse_line("\nNAME=  JOHN  DOE  ");
    EXPECT_EQ(record.caller_name, "JOHN  DOE  ");
    parser.parse_line("\nNMBR = 555 1234 ");
    EXPECT_EQ(record.caller_number, "555 1234 ");
}

TEST_F(ParserTest, ValueWithoutEqualsSignDropsOneSeparator) {
    parser.parse_line("\nNAME:JOHN DOE");
    EXPECT_EQ(record.caller_name, "JOHN DOE");
}

TEST_F(ParserTest, TheNumberLineMarksTheNumberKnown) {
    record.number_seen = false;
    parser.parse_line("\nNMBR=5551234567");
    EXPECT_TRUE(record.number_seen);
    EXPECT_EQ(numbers, 1);
}

TEST(DisplayNumberTest, TenAndSevenDigitNumbersGetDashes) {
    EXPECT_EQ(display_number("5551234567"), "555-123-4567");
    EXPECT_EQ(display_number("5551234"), "555-1234");
    EXPECT_EQ(display_number("555123456"), "555123456");
    EXPECT_EQ(display_number("5551234 "), "555-234 ");  // judged trimmed, cut from the text as sent
    EXPECT_EQ(display_number(""), "");
    EXPECT_EQ(display_number("= 5551234567"), "= 5551234567");
}

}  // namespace
}  // namespace vantelmoor

// The simulated modem's parts that the end-to-end scenarios rely on: its AT command replies, the
// calls it plays, and the console and command-line arguments that drive it.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "calls.h"
#include "console.h"
#include "modem.h"
#include "options.h"
#include "profiles.h"

namespace modem_sim {
namespace {

using namespace std::chrono_literals;

const Profile& profile(std::string_view name) {
    if (const Profile* found = find_profile(name)) return *found;
    throw std::invalid_argument("no profile " + std::string(name));
}

std::string repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

struct Exchange {
    const char* profile;
    bool echo;
    std::vector<std::string> chunks;  // fed in turn
    std::string replies;              // everything the modem sent back
};

// What a modem says back to what it is sent, chunk by chunk as bytes arrive.
const Exchange kExchanges[] = {
    {"standard", true, {"A", "T", "\r"}, "AT\r\r\nOK\r\n"},  // echo as it arrives
    {"standard", true, {"ATE0\rAT\rATE1\rAT\r"}, "ATE0\r\r\nOK\r\n\r\nOK\r\n\r\nOK\r\nAT\r\r\nOK\r\n"},
    {"standard", true, {"ATE0\r", "ATZ\r", "AT\r"}, "ATE0\r\r\nOK\r\n\r\nOK\r\nAT\r\r\nOK\r\n"},  // ATZ: echo on again
    {"standard", false, {"ATE1\r", "ATZ\r", "AT\r"}, "\r\nOK\r\nATZ\r\r\nOK\r\n\r\nOK\r\n"},      // ... off again
    {"standard", false, {"atz\r", "aT+vcid=1\r", "At e0\r"}, "\r\nOK\r\n\r\nOK\r\n\r\nOK\r\n"},
    {"standard", true, {"hello\r"}, "hello\r"},  // no AT: no reply
    {"standard", false, {"ATE0V1Q0&C1S0=0+VCID=1\r", "AT+GMM;#VCID=1\r"}, "\r\nOK\r\n\r\nOK\r\n"},
    {"standard", false, {"ATE2\r", "ATH5\r", "AT!\r", "AT&\r", "ATS=1\r"}, repeat("\r\nERROR\r\n", 5)},
    {"no-callerid", false, {"AT&F\r", "ATI3\r", "ATS7?\r", "ATDT5551212\r", "AT%CCID=1\r"}, repeat("\r\nOK\r\n", 5)},
    {"standard", false, {"AT" + std::string(300, 'V') + "\r", "AT\r"}, "\r\nERROR\r\n\r\nOK\r\n"},
    {"plus-error", false, {"AT+VCID=1\r", "AT#VCID=1\r"}, "\r\nERROR\r\n\r\nOK\r\n"},
    {"no-callerid", false, {"AT+VCID=1\r", "AT#VCID=1\r"}, "\r\nERROR\r\n\r\nERROR\r\n"},
    {"spaced", false, {"AT+VCID=1\r", "AT#VCID=1\r"}, "\r\nOK\r\n\r\nOK\r\n"},
};

TEST(ModemTest, RepliesAsAHayesModemDoes) {
    for (const Exchange& exchange : kExchanges) {
        Modem modem(profile(exchange.profile), exchange.echo);
        std::string replies;
        for (const std::string& chunk : exchange.chunks) replies += modem.receive(chunk).bytes;
        EXPECT_EQ(replies, exchange.replies) << exchange.chunks.front();
    }
}

TEST(CallTest, ReportsAreWordedByTheProfile) {
    const CallerInfo john{"5551234567", "JOHN DOE"};
    EXPECT_EQ(format_report(john, profile("standard")),
              "\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nNAME=JOHN DOE\r\n");
    EXPECT_EQ(format_report(john, profile("spaced")),
              "\r\nDATE = 0321\r\nTIME = 1405\r\nNMBR = 5551234567\r\nNAME = JOHN DOE\r\n");
    EXPECT_EQ(format_report({"P", "", "1224", "0930"}, profile("report-first")),
              "\r\nDATE=1224\r\nTIME=0930\r\nNMBR=P\r\n");
    EXPECT_EQ(format_ring(profile("distinctive")), "\r\nRING A\r\n");
    EXPECT_EQ(plan_call(john, profile("report-first"), CallTiming{})[1].bytes, "\r\nRING\r\n");  // after the report
}

// The scenarios type calls and options: a mistyped one must stop them rather than play something else.
TEST(ConsoleTest, CallArgumentsAndOptionsAreReadAsTypedAndMistakesRefused) {
    std::string error;
    const auto caller = parse_call_args("time=0930 date=1224  5551234567   JOHN  Q DOE ", error);
    ASSERT_TRUE(caller) << error;
    EXPECT_EQ((std::vector<std::string>{caller->number, caller->name, caller->date, caller->time}),
              (std::vector<std::string>{"5551234567", "JOHN  Q DOE", "1224", "0930"}));
    const auto options = parse_options(std::vector<std::string_view>{"--link=/tmp/ttyV0", "--line-delay", "50"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->link_path, "/tmp/ttyV0");
    EXPECT_EQ(options->timing.line_delay, 50ms);
    for (const char* bad : {"", "date=321 5551234567", "time=14:05 5551234567"}) {
        EXPECT_FALSE(parse_call_args(bad, error)) << bad;
    }
    for (const auto& bad : std::vector<std::vector<std::string_view>>{
             {"--profile", "nonesuch"}, {"--echo", "maybe"}, {"--report-delay", "1s"}, {"extra"}}) {
        EXPECT_FALSE(parse_options(bad, error)) << bad.front();
    }
}

}  // namespace
}  // namespace modem_sim

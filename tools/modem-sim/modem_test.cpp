#include "byte_log.h"
#include "calls.h"
#include "console.h"
#include "escape.h"
#include "modem.h"
#include "options.h"
#include "profiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace modem_sim {
namespace {

using namespace std::chrono_literals;

const Profile& profile(std::string_view name) {
    const Profile* found = find_profile(name);
    if (found == nullptr) {
        throw std::invalid_argument("no profile " + std::string(name));
    }
    return *found;
}

std::string feed(Modem& modem, std::string_view bytes) {
    return modem.receive(bytes).bytes;
}

// --- the AT command state machine ---

TEST(Modem, EchoesTheCommandThenAnswersOk) {
    Modem modem(profile("standard"), true);
    EXPECT_EQ(feed(modem, "ATZ\r"), "ATZ\r\r\nOK\r\n");
}

TEST(Modem, WithoutEchoOnlyTheResultComesBack) {
    Modem modem(profile("standard"), false);
    EXPECT_EQ(feed(modem, "ATZ\r"), "\r\nOK\r\n");
}

TEST(Modem, EchoesEachCharacterAsItArrives) {
    Modem modem(profile("standard"), true);
    EXPECT_EQ(feed(modem, "A"), "A");
    EXPECT_EQ(feed(modem, "T"), "T");
    EXPECT_EQ(feed(modem, "Z"), "Z");
    EXPECT_EQ(feed(modem, "\r"), "\r\r\nOK\r\n");
}

TEST(Modem, ReportsEachCommandLineAndItsResult) {
    Modem modem(profile("no-callerid"), false);
    const ModemOutput out = modem.receive("ATZ\rhello\rAT+VCID=1\r");
    ASSERT_EQ(out.exchanges.size(), 3u);
    EXPECT_EQ(out.exchanges[0].command, "ATZ");
    EXPECT_EQ(out.exchanges[0].result, "OK");
    EXPECT_EQ(out.exchanges[1].command, "hello");
    EXPECT_EQ(out.exchanges[1].result, "");
    EXPECT_EQ(out.exchanges[2].command, "AT+VCID=1");
    EXPECT_EQ(out.exchanges[2].result, "ERROR");
    EXPECT_EQ(out.bytes, "\r\nOK\r\n\r\nERROR\r\n");
}

TEST(Modem, Ate0StopsEchoFromTheNextCharacterOn) {
    Modem modem(profile("standard"), true);
    EXPECT_EQ(feed(modem, "ATE0\r"), "ATE0\r\r\nOK\r\n");
    EXPECT_FALSE(modem.echo());
    EXPECT_EQ(feed(modem, "AT\r"), "\r\nOK\r\n");
    EXPECT_EQ(feed(modem, "ATE1\r"), "\r\nOK\r\n");
    EXPECT_EQ(feed(modem, "AT\r"), "AT\r\r\nOK\r\n");
}

TEST(Modem, EchoSettingChangesInsideOneChunk) {
    Modem modem(profile("standard"), true);
    EXPECT_EQ(feed(modem, "ATE0\rAT\r"), "ATE0\r\r\nOK\r\n\r\nOK\r\n");
}

TEST(Modem, AtzRestoresTheConfiguredEcho) {
    Modem on(profile("standard"), true);
    feed(on, "ATE0\r");
    EXPECT_EQ(feed(on, "ATZ\r"), "\r\nOK\r\n");
    EXPECT_TRUE(on.echo());

    Modem off(profile("standard"), false);
    feed(off, "ATE1\r");
    EXPECT_EQ(feed(off, "ATZ\r"), "ATZ\r\r\nOK\r\n");
    EXPECT_FALSE(off.echo());
}

TEST(Modem, SetEchoIsWhatAtzRestores) {
    Modem modem(profile("standard"), true);
    modem.set_echo(false);
    feed(modem, "ATE1\r");
    feed(modem, "ATZ\r");
    EXPECT_FALSE(modem.echo());
}

TEST(Modem, PrefixIsCaseInsensitive) {
    Modem modem(profile("standard"), false);
    EXPECT_EQ(feed(modem, "atz\r"), "\r\nOK\r\n");
    EXPECT_EQ(feed(modem, "aT+vcid=1\r"), "\r\nOK\r\n");
    EXPECT_TRUE(modem.caller_id_enabled());
    EXPECT_EQ(feed(modem, "At e0\r"), "\r\nOK\r\n");
    EXPECT_FALSE(modem.echo());
}

TEST(Modem, TextWithoutAtGetsNoReply) {
    Modem quiet(profile("standard"), false);
    EXPECT_EQ(feed(quiet, "hello\r"), "");
    EXPECT_EQ(feed(quiet, "TA\r"), "");
    EXPECT_EQ(feed(quiet, "A\r"), "");
    Modem echoing(profile("standard"), true);
    EXPECT_EQ(feed(echoing, "hello\r"), "hello\r");
}

TEST(Modem, ControlCharactersBeforeAtAreIgnored) {
    Modem modem(profile("standard"), false);
    EXPECT_EQ(feed(modem, "\n\x01\x1b" "ATE1\r"), "\r\nOK\r\n");
    EXPECT_TRUE(modem.echo());
}

TEST(Modem, LfAfterCrDoesNotStartACommand) {
    Modem modem(profile("standard"), false);
    EXPECT_EQ(feed(modem, "AT\r\nAT\r\n"), "\r\nOK\r\n\r\nOK\r\n");
}

TEST(Modem, EmptyLinesGetNoReply) {
    Modem modem(profile("standard"), false);
    const ModemOutput out = modem.receive("\r\r\n\r");
    EXPECT_EQ(out.bytes, "");
    EXPECT_TRUE(out.exchanges.empty());
}

TEST(Modem, BackspaceEditsTheLine) {
    Modem modem(profile("standard"), true);
    EXPECT_EQ(feed(modem, "ATE1\b0\r"), "ATE1\b0\r\r\nOK\r\n");
    EXPECT_FALSE(modem.echo());
}

TEST(Modem, CommandsSplitAcrossChunksAreJoined) {
    Modem modem(profile("standard"), false);
    EXPECT_EQ(feed(modem, "AT+V"), "");
    EXPECT_EQ(feed(modem, "CID=1"), "");
    EXPECT_EQ(feed(modem, "\r"), "\r\nOK\r\n");
    EXPECT_TRUE(modem.caller_id_enabled());
}

TEST(Modem, AnswerAndHangUpMoveTheHook) {
    Modem modem(profile("standard"), false);
    EXPECT_FALSE(modem.off_hook());
    EXPECT_EQ(feed(modem, "ATA\r"), "\r\nOK\r\n");
    EXPECT_TRUE(modem.off_hook());
    EXPECT_EQ(feed(modem, "ATH\r"), "\r\nOK\r\n");
    EXPECT_FALSE(modem.off_hook());
    feed(modem, "ATH1\r");
    EXPECT_TRUE(modem.off_hook());
    feed(modem, "ATH0\r");
    EXPECT_FALSE(modem.off_hook());
}

TEST(Modem, ResetHangsUpAndForgetsCallerId) {
    Modem modem(profile("standard"), false);
    feed(modem, "AT+VCID=1\r");
    feed(modem, "ATA\r");
    EXPECT_EQ(feed(modem, "ATZ\r"), "\r\nOK\r\n");
    EXPECT_FALSE(modem.off_hook());
    EXPECT_FALSE(modem.caller_id_enabled());
}

TEST(Modem, ChainedCommandsAllTakeEffect) {
    Modem modem(profile("standard"), true);
    EXPECT_EQ(feed(modem, "ATE0V1Q0&C1S0=0+VCID=1\r"), "ATE0V1Q0&C1S0=0+VCID=1\r\r\nOK\r\n");
    EXPECT_FALSE(modem.echo());
    EXPECT_TRUE(modem.caller_id_enabled());
}

TEST(Modem, ExtendedCommandsChainWithSemicolons) {
    Modem modem(profile("plus-error"), false);
    EXPECT_EQ(feed(modem, "AT+GMM;#VCID=1\r"), "\r\nOK\r\n");
    EXPECT_TRUE(modem.caller_id_enabled());
    EXPECT_EQ(feed(modem, "AT#VCID=0;+VCID=1\r"), "\r\nERROR\r\n");
    EXPECT_FALSE(modem.caller_id_enabled());
}

TEST(Modem, MalformedCommandsAnswerError) {
    Modem modem(profile("standard"), false);
    EXPECT_EQ(feed(modem, "ATE2\r"), "\r\nERROR\r\n");
    EXPECT_EQ(feed(modem, "ATH5\r"), "\r\nERROR\r\n");
    EXPECT_EQ(feed(modem, "AT!\r"), "\r\nERROR\r\n");
    EXPECT_EQ(feed(modem, "AT&\r"), "\r\nERROR\r\n");
    EXPECT_EQ(feed(modem, "ATS=1\r"), "\r\nERROR\r\n");
}

TEST(Modem, OtherCommandsAnswerOk) {
    Modem modem(profile("no-callerid"), false);
    for (std::string_view command : {"AT\r", "AT&F\r", "ATI3\r", "ATS7?\r", "AT+FCLASS=8\r", "ATDT5551212\r",
                                     "AT#CID=1\r", "AT%CCID=1\r"}) {
        EXPECT_EQ(feed(modem, command), "\r\nOK\r\n") << command;
    }
}

TEST(Modem, OverlongLinesAnswerError) {
    Modem modem(profile("standard"), false);
    EXPECT_EQ(feed(modem, "AT" + std::string(300, 'V') + "\r"), "\r\nERROR\r\n");
    EXPECT_EQ(feed(modem, "AT\r"), "\r\nOK\r\n");
}

struct CallerIdCase {
    std::string_view profile;
    bool plus_ok;
    bool hash_ok;
};

class CallerIdCommands : public testing::TestWithParam<CallerIdCase> {};

TEST_P(CallerIdCommands, AcceptanceFollowsTheProfile) {
    const CallerIdCase& c = GetParam();
    Modem modem(profile(c.profile), false);
    EXPECT_EQ(feed(modem, "AT+VCID=1\r"), c.plus_ok ? "\r\nOK\r\n" : "\r\nERROR\r\n");
    EXPECT_EQ(modem.caller_id_enabled(), c.plus_ok);
    feed(modem, "ATZ\r");
    EXPECT_EQ(feed(modem, "AT#VCID=1\r"), c.hash_ok ? "\r\nOK\r\n" : "\r\nERROR\r\n");
    EXPECT_EQ(modem.caller_id_enabled(), c.hash_ok);
}

INSTANTIATE_TEST_SUITE_P(Profiles, CallerIdCommands,
                         testing::Values(CallerIdCase{"standard", true, true},
                                         CallerIdCase{"spaced", true, true},
                                         CallerIdCase{"plus-error", false, true},
                                         CallerIdCase{"no-callerid", false, false},
                                         CallerIdCase{"report-first", true, true},
                                         CallerIdCase{"distinctive", true, true}));

TEST(Modem, SwitchingProfileChangesWhatIsAccepted) {
    Modem modem(profile("standard"), false);
    EXPECT_EQ(feed(modem, "AT+VCID=1\r"), "\r\nOK\r\n");
    modem.set_profile(profile("plus-error"));
    EXPECT_EQ(feed(modem, "AT+VCID=1\r"), "\r\nERROR\r\n");
    EXPECT_EQ(modem.profile().name, "plus-error");
}

// --- profiles ---

TEST(Profiles, NamesAreUniqueAndFindable) {
    std::set<std::string_view> names;
    for (const Profile& p : profiles()) {
        EXPECT_TRUE(names.insert(p.name).second) << p.name;
        EXPECT_EQ(find_profile(p.name), &p);
        EXPECT_NE(profile_names().find(p.name), std::string::npos);
    }
    EXPECT_EQ(find_profile("nonesuch"), nullptr);
    EXPECT_EQ(profiles().front().name, "standard");
}

// --- call reports ---

const CallerInfo kJohn{"5551234567", "JOHN DOE"};

TEST(Report, StandardFormat) {
    EXPECT_EQ(format_report(kJohn, profile("standard")),
              "\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5551234567\r\nNAME=JOHN DOE\r\n");
}

TEST(Report, SpacedFormat) {
    EXPECT_EQ(format_report(kJohn, profile("spaced")),
              "\r\nDATE = 0321\r\nTIME = 1405\r\nNMBR = 5551234567\r\nNAME = JOHN DOE\r\n");
}

TEST(Report, OtherProfilesUseTheStandardFields) {
    for (std::string_view name : {"plus-error", "no-callerid", "report-first", "distinctive"}) {
        EXPECT_EQ(format_report(kJohn, profile(name)), format_report(kJohn, profile("standard"))) << name;
    }
}

TEST(Report, CarriesDateTimeAndWithheldValues) {
    const CallerInfo caller{"P", "PRIVATE", "1224", "0930"};
    EXPECT_EQ(format_report(caller, profile("standard")),
              "\r\nDATE=1224\r\nTIME=0930\r\nNMBR=P\r\nNAME=PRIVATE\r\n");
}

TEST(Report, NoNameLineWithoutAName) {
    EXPECT_EQ(format_report(CallerInfo{"5559876543", ""}, profile("standard")),
              "\r\nDATE=0321\r\nTIME=1405\r\nNMBR=5559876543\r\n");
}

TEST(Ring, ProfileDecidesTheWording) {
    EXPECT_EQ(format_ring(profile("standard")), "\r\nRING\r\n");
    EXPECT_EQ(format_ring(profile("distinctive")), "\r\nRING A\r\n");
}

// --- call plans ---

std::vector<std::chrono::milliseconds> times_of(const std::vector<CallStep>& steps) {
    std::vector<std::chrono::milliseconds> times;
    for (const CallStep& step : steps) {
        times.push_back(step.at);
    }
    return times;
}

TEST(CallPlan, RingThenReportThenTwoMoreRings) {
    const auto& standard = profile("standard");
    const auto steps = plan_call(kJohn, standard, CallTiming{});
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(times_of(steps), (std::vector<std::chrono::milliseconds>{0ms, 1000ms, 6000ms, 12000ms}));
    EXPECT_EQ(steps[0].bytes, "\r\nRING\r\n");
    EXPECT_EQ(steps[1].bytes, format_report(kJohn, standard));
    EXPECT_EQ(steps[2].bytes, "\r\nRING\r\n");
    EXPECT_EQ(steps[3].bytes, "\r\nRING\r\n");
    EXPECT_NE(steps[1].note.find("5551234567"), std::string::npos);
    EXPECT_NE(steps[1].note.find("JOHN DOE"), std::string::npos);
}

TEST(CallPlan, ReportFirstPutsTheReportBeforeTheFirstRing) {
    const auto& report_first = profile("report-first");
    const auto steps = plan_call(kJohn, report_first, CallTiming{});
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(times_of(steps), (std::vector<std::chrono::milliseconds>{0ms, 1000ms, 7000ms, 13000ms}));
    EXPECT_EQ(steps[0].bytes, format_report(kJohn, report_first));
    EXPECT_EQ(steps[1].bytes, "\r\nRING\r\n");
}

TEST(CallPlan, DistinctiveRingsThroughout) {
    const auto steps = plan_call(kJohn, profile("distinctive"), CallTiming{});
    int rings = 0;
    for (const CallStep& step : steps) {
        rings += step.bytes == "\r\nRING A\r\n";
        EXPECT_EQ(step.bytes.find("\r\nRING\r\n"), std::string::npos);
    }
    EXPECT_EQ(rings, 3);
}

TEST(CallPlan, FollowsTheTiming) {
    const CallTiming fast{50ms, 200ms, 3};
    EXPECT_EQ(times_of(plan_call(kJohn, profile("standard"), fast)),
              (std::vector<std::chrono::milliseconds>{0ms, 50ms, 200ms, 400ms}));
}

TEST(CallPlan, TiesKeepTheProfilesOrder) {
    const CallTiming no_gap{0ms, 100ms, 3};
    EXPECT_EQ(plan_call(kJohn, profile("standard"), no_gap)[0].bytes, "\r\nRING\r\n");
    EXPECT_EQ(plan_call(kJohn, profile("report-first"), no_gap)[1].bytes, "\r\nRING\r\n");
}

TEST(CallPlan, ReportLaterThanARingStaysInTimeOrder) {
    const CallTiming late{250ms, 100ms, 3};
    const auto steps = plan_call(kJohn, profile("standard"), late);
    EXPECT_EQ(times_of(steps), (std::vector<std::chrono::milliseconds>{0ms, 100ms, 200ms, 250ms}));
    EXPECT_EQ(steps[3].bytes, format_report(kJohn, profile("standard")));
}

// --- the call command's arguments ---

TEST(CallArgs, NumberAndNameWithSpaces) {
    std::string error;
    const auto caller = parse_call_args("  5551234567   JOHN  Q DOE ", error);
    ASSERT_TRUE(caller) << error;
    EXPECT_EQ(caller->number, "5551234567");
    EXPECT_EQ(caller->name, "JOHN  Q DOE");
    EXPECT_EQ(caller->date, "0321");
    EXPECT_EQ(caller->time, "1405");
}

TEST(CallArgs, NumberAlone) {
    std::string error;
    const auto caller = parse_call_args("O", error);
    ASSERT_TRUE(caller) << error;
    EXPECT_EQ(caller->number, "O");
    EXPECT_EQ(caller->name, "");
}

TEST(CallArgs, DateAndTime) {
    std::string error;
    const auto caller = parse_call_args("time=0930 date=1224 P PRIVATE", error);
    ASSERT_TRUE(caller) << error;
    EXPECT_EQ(caller->date, "1224");
    EXPECT_EQ(caller->time, "0930");
    EXPECT_EQ(caller->number, "P");
    EXPECT_EQ(caller->name, "PRIVATE");
}

TEST(CallArgs, Errors) {
    std::string error;
    EXPECT_FALSE(parse_call_args("", error));
    EXPECT_NE(error.find("NUMBER"), std::string::npos);
    EXPECT_FALSE(parse_call_args("date=0321", error));
    EXPECT_FALSE(parse_call_args("date=321 5551234567", error));
    EXPECT_NE(error.find("date"), std::string::npos);
    EXPECT_FALSE(parse_call_args("time=14:05 5551234567", error));
    EXPECT_NE(error.find("time"), std::string::npos);
}

TEST(Examples, CoverTheUsualKindsOfCaller) {
    const auto examples = example_calls();
    const auto has = [&](std::string_view number, std::string_view name) {
        return std::any_of(examples.begin(), examples.end(),
                           [&](const ExampleCall& e) { return e.number == number && e.name == name; });
    };
    EXPECT_TRUE(has("5551234567", "JOHN DOE"));
    EXPECT_TRUE(has("P", "PRIVATE"));
    EXPECT_TRUE(has("O", "O"));
    EXPECT_TRUE(std::any_of(examples.begin(), examples.end(),
                            [](const ExampleCall& e) { return e.name.empty() && e.number.size() == 10; }));
    EXPECT_TRUE(std::any_of(examples.begin(), examples.end(),
                            [](const ExampleCall& e) { return e.number.size() == 7; }));
}

// --- escaping ---

TEST(Escape, ControlCharactersAndBackslash) {
    EXPECT_EQ(escape_bytes("ATZ\r\n"), "ATZ\\r\\n");
    EXPECT_EQ(escape_bytes("a\\b"), "a\\\\b");
    EXPECT_EQ(escape_bytes(std::string("\x10\x03\t\x7f\x00", 5)), "\\x10\\x03\\x09\\x7F\\x00");
    EXPECT_EQ(escape_bytes("\xff\x80"), "\\xFF\\x80");
}

TEST(Escape, PrintableTextIsUnchanged) {
    const std::string printable = " !\"#$%&'()*+,-./0123456789:;<=>?@ABCXYZ[]^_`abcxyz{|}~";
    EXPECT_EQ(escape_bytes(printable), printable);
}

TEST(Unescape, KnownEscapes) {
    std::string error;
    EXPECT_EQ(unescape("RING\\r\\n\\t\\\\\\x10\\x5a\\xFF", error), std::string("RING\r\n\t\\\x10Z\xff"));
    EXPECT_EQ(unescape("\\x00", error), std::string(1, '\0'));
    EXPECT_EQ(unescape("plain", error), "plain");
}

TEST(Unescape, BadEscapesAreRejected) {
    for (std::string_view bad : {"\\q", "abc\\", "\\x", "\\x4", "\\xG0", "\\x4g"}) {
        std::string error;
        EXPECT_FALSE(unescape(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(Unescape, ReversesEscape) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    std::string error;
    EXPECT_EQ(unescape(escape_bytes(all), error), all);
}

// --- the byte log's lines ---

TEST(LogLine, TimestampDirectionAndEscapedBytes) {
    EXPECT_EQ(format_log_line(timespec{1711029900, 123456789}, Direction::received, "ATZ\r"),
              "1711029900.123456 RX ATZ\\r\n");
    EXPECT_EQ(format_log_line(timespec{1711029900, 5000}, Direction::sent, "\r\nOK\r\n"),
              "1711029900.000005 TX \\r\\nOK\\r\\n\n");
}

TEST(LogLine, StaysOnOneLine) {
    const std::string line = format_log_line(timespec{1, 0}, Direction::sent, "\r\n\n\r\x1a\\");
    EXPECT_EQ(line, "1.000000 TX \\r\\n\\n\\r\\x1A\\\\\n");
}

// --- stdin lines ---

TEST(Lines, SplitsAcrossReadsAndDropsCr) {
    LineSplitter splitter;
    EXPECT_TRUE(splitter.feed("call 555").empty());
    EXPECT_EQ(splitter.feed("1234 JOHN\r\nstatus\nqu"),
              (std::vector<std::string>{"call 5551234 JOHN", "status"}));
    EXPECT_EQ(splitter.finish(), "qu");
    EXPECT_EQ(splitter.finish(), std::nullopt);
}

TEST(Lines, KeepsEmptyLines) {
    LineSplitter splitter;
    EXPECT_EQ(splitter.feed("\n\nx\n"), (std::vector<std::string>{"", "", "x"}));
    EXPECT_EQ(splitter.finish(), std::nullopt);
}

// --- command line ---

std::optional<Options> parse(std::vector<std::string_view> args, std::string& error) {
    return parse_options(args, error);
}

TEST(CommandLine, Defaults) {
    std::string error;
    const auto options = parse({}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->profile->name, "standard");
    EXPECT_TRUE(options->echo);
    EXPECT_TRUE(options->log_path.empty());
    EXPECT_TRUE(options->link_path.empty());
    EXPECT_FALSE(options->quiet);
    EXPECT_FALSE(options->stay);
    EXPECT_FALSE(options->help);
    EXPECT_EQ(options->timing.report_delay, 1000ms);
    EXPECT_EQ(options->timing.ring_interval, 6000ms);
}

TEST(CommandLine, EveryOption) {
    std::string error;
    const auto options = parse({"--profile", "spaced", "--echo", "off", "--log", "/tmp/x.log",
                                "--link=/tmp/ttyV0", "--quiet", "--stay", "--report-delay=10",
                                "--ring-interval", "40"},
                               error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->profile->name, "spaced");
    EXPECT_FALSE(options->echo);
    EXPECT_EQ(options->log_path, "/tmp/x.log");
    EXPECT_EQ(options->link_path, "/tmp/ttyV0");
    EXPECT_TRUE(options->quiet);
    EXPECT_TRUE(options->stay);
    EXPECT_EQ(options->timing.report_delay, 10ms);
    EXPECT_EQ(options->timing.ring_interval, 40ms);
}

TEST(CommandLine, Help) {
    std::string error;
    const auto options = parse({"--help"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->help);
    EXPECT_NE(usage().find("--profile"), std::string::npos);
}

TEST(CommandLine, Errors) {
    const std::vector<std::vector<std::string_view>> bad = {
        {"--profile", "nonesuch"}, {"--profile"}, {"--echo", "maybe"}, {"--ring-interval", "-5"},
        {"--report-delay", "1s"},  {"--quiet=yes"}, {"--frobnicate"}, {"extra"},
    };
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(parse(args, error)) << args.front();
        EXPECT_FALSE(error.empty()) << args.front();
    }
}

}  // namespace
}  // namespace modem_sim

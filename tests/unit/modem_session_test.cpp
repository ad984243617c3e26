// Listening, the port scan, the ERROR fallback, modems that go away, go quiet or forget caller ID, on a scripted modem.
#include <gtest/gtest.h>

#include "fakes/program_rig.h"

namespace vantelmoor {
namespace {

using test::ProgramRig;
using Texts = std::vector<std::string>;

class ModemSessionTest : public ::testing::Test {
protected:
    ProgramRig rig;
};

// A wait that ended where the clock's whole second fell would end anywhere from 1.5 to 2.5 s.
TEST_F(ModemSessionTest, TheResetWaitIsTwoSecondsWhereverTheClockStandsAndAToggleDuringItActsOnTheStateItFinds) {
    for (double start : {2000.0, 2000.49, 2000.5, 2000.99}) {
        ProgramRig local;
        local.loop.run_until(start);
        local.click(0);
        ASSERT_EQ(local.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r"}));
        EXPECT_DOUBLE_EQ(local.port.writes[1].at - local.port.writes[0].at, 2.0) << start;
        EXPECT_TRUE(local.port.rthreshold == 1 && local.port.input_len == 1);    // each character as it comes
        EXPECT_NE(local.log.text().find("ATZ\r\r\nOK\r\n"), std::string::npos);  // the reply, during the wait
    }
    rig.loop.after(0.5, [&] { rig.click(0); });  // entered again during the wait: acts on the state it finds
    rig.click(0);
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "ATZ\r", "AT+VCID=1\r", "AT+VCID=1\r"}));
    EXPECT_EQ(rig.port.opened.size(), 1u);
    EXPECT_EQ(rig.caption(), "&Pause");
}

TEST_F(ModemSessionTest, TheScanFindsAModemOnPortThreeNoPortAtAllIsSaidOnceAndOtherFailuresGiveTheirNumberAndText) {
    rig.port.ports = {{3, std::nullopt}};
    for (int i = 0; i < 3; ++i) rig.click(0);
    EXPECT_EQ(rig.port.opened, (std::vector<int>{3, 3}));
    EXPECT_TRUE(rig.dialogs.shown.empty());

    ProgramRig none;
    none.port.ports.clear();
    none.click(0);
    none.click(0);  // the box again, once
    EXPECT_EQ(none.dialogs.shown.size(), 2u);
    none.port.ports = {{16, PortError{31, "A device attached to the system is not functioning."}}};
    none.click(0);
    EXPECT_EQ(none.dialogs.shown.back().text, "31    A device attached to the system is not functioning.");
}

// Unplugged while listening or during the reset's pause, or held by another user's copy: an unattended machine would
// fill with boxes.
TEST_F(ModemSessionTest, AModemThatGoesAwayOrIsHeldElsewhereIsTriedEveryFiveSecondsWithoutABoxUntilItIsBackOrPaused) {
    for (const int how : {0, 1, 2}) {  // unplugged while listening, during the reset; held
        ProgramRig local;
        if (how == 1) local.loop.after(1, [&] { local.port.unplug(); });
        if (how == 2) local.port.ports = {{1, PortError{kPortAlreadyOpen, "Port already open"}}};
        local.click(0);
        if (how == 0) local.port.unplug();
        EXPECT_TRUE(how < 2 || local.noted("COM1 is in use by another program. Trying it again every 5 seconds."));
        EXPECT_EQ(local.status(), "Modem Error");
        EXPECT_TRUE(how == 2 || local.noted("The modem on COM1 stopped working")) << how;
        EXPECT_EQ(local.caption(), "&Pause");
        local.after(12);
        local.session.restart_monitoring();  // a call logged meanwhile leaves the retries alone
        local.port.writes.clear();
        local.port.plug_in();
        local.after(5);
        EXPECT_EQ(local.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r"})) << how;
        EXPECT_EQ(local.status(), "Waiting for Call");
        EXPECT_TRUE(how == 2 || local.noted("The modem on COM1 is back.")) << how;
        EXPECT_TRUE(local.dialogs.shown.empty());
    }
    rig.click(0);
    rig.port.unplug();
    rig.click(0);
    rig.port.plug_in();
    rig.session.restart_monitoring();  // a call logged while paused: reset once, still paused
    rig.after(20);
    EXPECT_EQ(rig.status(), "Paused");
    EXPECT_FALSE(rig.port.port_open());
}

// An RS-232 modem switched off says nothing and reports no error; it is back once it answers its reset.
TEST(ModemWatchdogTest, AQuietModemIsAskedOnceAMinuteAndTwoSilencesInARowAreALostModem) {
    struct Case {
        const char* what;
        std::vector<bool> answers;           // whether each of the watchdog's "AT"s is answered
        bool switched_off, ringing, paused;  // off: from the first question on, the modem says nothing at all
        int asked;                           // "AT"s sent in 130 seconds
        const char* status;
    };
    const Case cases[] = {
        {"a quiet line", {true, true}, false, false, false, 2, "Waiting for Call"},
        {"a ringing line", {}, false, true, false, 0, "Waiting for Call"},
        {"paused", {}, false, false, true, 0, "Paused"},
        {"one silence, then an answer", {false, true}, false, false, false, 2, "Waiting for Call"},
        {"switched off", {}, true, false, false, 2, "Modem Error"},
    };
    for (const Case& c : cases) {
        ProgramRig rig;
        std::size_t questions = 0;
        bool off = false;
        rig.modem_replies([&](const std::string& command) -> std::string {
            if (command == "AT\r") off = c.switched_off;
            if (off) return "";
            if (command != "AT\r") return command + "\r\nOK\r\n";
            const bool answer = questions < c.answers.size() && c.answers[questions++];
            return answer ? "AT\r\r\nOK\r\n" : "";
        });
        rig.click(0);
        if (c.paused) rig.click(0);
        for (double at = 1; c.ringing && at < 130; at += 6)
            rig.loop.after(at, [&] { rig.port.arrive("\r\nRING\r\n"); });
        rig.after(1);
        const std::string before = rig.log.text();
        rig.after(129);
        EXPECT_EQ(rig.count("AT"), c.asked) << c.what;
        EXPECT_EQ(rig.status(), c.status) << c.what;
        // The question and its answer are kept out of the log.
        EXPECT_TRUE(c.ringing || rig.log.text().find("\r\nOK", before.size()) == std::string::npos) << c.what;
        if (!c.switched_off) continue;
        EXPECT_TRUE(rig.noted("it did not answer AT twice"));
        rig.after(20);  // its port opens; its reset goes unanswered
        EXPECT_EQ(rig.status(), "Modem Error") << c.what;
        off = false;  // switched on again
        rig.after(8);
        EXPECT_EQ(rig.status(), "Waiting for Call") << c.what;
    }
}

// A power glitch can make a modem forget caller ID; one that never had it is left alone.
TEST(CallerIdRearmTest, TwoCallsRingingWithoutCallerIdHaveTheModemSetUpAgainOnceQuiet) {
    for (const bool worked : {true, false}) {
        ProgramRig local;
        local.click(0);
        if (worked) local.port.arrive("\r\nRING\r\n\r\nNMBR=5551234567\r\n");
        local.after(30);
        local.port.writes.clear();
        double last_ring = 0;
        for (int ring = 0; ring < 6; ++ring) {  // two calls of three rings
            local.port.arrive("\r\nRING\r\n");
            last_ring = local.loop.now_seconds();
            local.after(ring == 2 ? 15 : 6);
        }
        local.after(60);
        ASSERT_EQ(local.port.written_texts(), (worked ? Texts{"ATZ\r", "AT+VCID=1\r"} : Texts{}));  // once
        if (!worked) continue;
        EXPECT_DOUBLE_EQ(local.port.writes[0].at, last_ring + 10);
        EXPECT_TRUE(local.noted("Two calls rang without caller ID: setting the modem up again."));
    }
}

TEST(ErrorFallbackTest, TheFirstErrorSwitchesToTheSecondCommandAndSavesItAndTheSecondOffersTheModemPageAndPauses) {
    for (const double reply_delay : {0.05, 0.2}) {
        ProgramRig local;
        local.modem_replies(
            [](const std::string& command) {
                return command + (command.find("VCID") != std::string::npos ? "\r\nERROR\r\n" : "\r\nOK\r\n");
            },
            reply_delay);
        local.click(0);
        local.after(10);
        EXPECT_EQ(local.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r", "ATZ\r", "AT#VCID=1\r"})) << reply_delay;
        EXPECT_EQ(local.registry.text(kSettingsKey, "CommCommand"), "AT#VCID=1");
        EXPECT_EQ(local.log.text().find("ERROR"), local.log.text().rfind("ERROR"));  // emptied before the restart
        ASSERT_EQ(local.dialogs.shown.size(), 1u);
        EXPECT_EQ(local.caption(), "&Listen for Calls");
        local.dialogs.answers = {MessageAnswer::Yes};
        local.shell.result = 2;
        local.click(0);
        local.after(10);
        EXPECT_EQ(local.shell.opened, (Texts{"http://www.vantelmoor.example/modems.htm"}));
        EXPECT_EQ(local.dialogs.shown.back().title, "Internet Connection Error");
    }
}

// An ERROR to ATA (a modem that cannot answer calls) or line noise must not change the command for good; the reset
// after a call empties the log but for the faults that stand.
TEST_F(ModemSessionTest, AnErrorToAnythingButTheCallerIdCommandChangesNothingAndTheResetAfterACallKeepsTheFaults) {
    rig.modem_replies(
        [](const std::string& command) { return command + (command == "ATA\r" ? "\r\nERROR\r\n" : "\r\nOK\r\n"); });
    rig.block_list({{"", "5551234567"}});
    rig.click(0);
    rig.log.fault(Fault::Settings, "a note of the program's own");
    rig.after(3);
    rig.port.arrive("\r\nERROR\r\n");
    EXPECT_TRUE(rig.answered("5551234567", "JOHN DOE"));
    rig.after(10);
    EXPECT_EQ(rig.settings.comm_command, "AT+VCID=1");
    EXPECT_EQ(rig.caption(), "&Pause");
    EXPECT_EQ(rig.log.text().find("* a note of the program's own\r\n"), 0u);
    EXPECT_EQ(rig.log.text().find("ATZ"), rig.log.text().rfind("ATZ"));  // only the new reset's echo
}

}  // namespace
}  // namespace vantelmoor

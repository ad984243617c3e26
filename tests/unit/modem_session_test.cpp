// Listening and pausing, the port scan, the ERROR fallback, and modems that go away, go quiet or
// forget caller ID, over a scripted modem on the virtual clock.
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
    EXPECT_EQ(none.dialogs.shown.size(), 1u);
    EXPECT_EQ(none.port.comm_port(), 16);
    EXPECT_EQ(none.caption(), "&Listen for Calls");
    none.click(0);  // the box again
    EXPECT_EQ(none.dialogs.shown.size(), 2u);
    none.port.ports = {{16, PortError{31, "A device attached to the system is not functioning."}}};
    none.click(0);
    ASSERT_EQ(none.dialogs.shown.size(), 3u);
    EXPECT_EQ(none.dialogs.shown[2].text, "31    A device attached to the system is not functioning.");
}

// Another user's copy, or another program, may hold the port for a while: no box, tried again.
TEST_F(ModemSessionTest, APortHeldElsewhereIsTriedEveryFiveSecondsWithoutABox) {
    rig.port.ports = {{1, PortError{kPortAlreadyOpen, "Port already open"}}};
    rig.click(0);
    EXPECT_TRUE(rig.noted("COM1 is in use by another program. Trying it again every 5 seconds."));
    rig.port.ports = {{1, std::nullopt}};  // let go
    rig.after(8);
    EXPECT_EQ(rig.status(), "Waiting for Call");
    EXPECT_EQ(rig.count("AT+VCID=1"), 1);
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(ModemSessionTest, TheResetAfterACallKeepsListeningAndTheFaultsThatStand) {
    rig.listen();
    rig.log.fault(Fault::CallLog, "a note of the program's own");
    rig.session.restart_monitoring();
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r"}));
    EXPECT_EQ(rig.caption(), "&Pause");
    EXPECT_EQ(rig.log.text().find("* a note of the program's own\r\n"), 0u);
    EXPECT_EQ(rig.log.text().find("ATZ"), rig.log.text().rfind("ATZ"));  // only the new reset's echo
}

// Unplugged while listening or during the reset's pause: an unattended machine would fill with boxes.
TEST_F(ModemSessionTest, AModemThatGoesAwayIsTriedEveryFiveSecondsWithoutABoxUntilItIsBackOrPaused) {
    for (const bool during_reset : {false, true}) {
        ProgramRig local;
        if (during_reset) local.loop.after(1, [&] { local.port.unplug(); });
        local.click(0);
        if (!during_reset) local.port.unplug();
        EXPECT_EQ(local.status(), "Modem Error");
        EXPECT_EQ(local.caption(), "&Pause");
        local.after(12);
        local.session.restart_monitoring();  // a call logged meanwhile leaves the retries alone
        EXPECT_FALSE(local.port.port_open());
        local.port.writes.clear();
        local.port.plug_in();
        local.after(5);
        EXPECT_EQ(local.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r"})) << during_reset;
        EXPECT_EQ(local.status(), "Waiting for Call");
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

TEST(ErrorFallbackTest, TheFirstErrorEvenDuringTheResetsWaitSwitchesToTheSecondCommandAndSavesIt) {
    for (const double reply_delay : {0.05, 0.2}) {
        ProgramRig local;
        local.modem_replies(
            [](const std::string& command) {
                return command + (command == "AT+VCID=1\r" ? "\r\nERROR\r\n" : "\r\nOK\r\n");
            },
            reply_delay);
        local.click(0);
        local.after(10);
        EXPECT_EQ(local.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r", "ATZ\r", "AT#VCID=1\r"})) << reply_delay;
        EXPECT_EQ(local.registry.text(kSettingsKey, "CommCommand"), "AT#VCID=1");
        EXPECT_EQ(local.log.text().find("ERROR"), std::string::npos);  // emptied before the restart
    }
}

// An ERROR to ATA (a modem that cannot answer calls) or line noise must not change the command for good.
TEST_F(ModemSessionTest, AnErrorThatAnswersAnythingButTheCallerIdCommandChangesNothing) {
    rig.modem_replies(
        [](const std::string& command) { return command + (command == "ATA\r" ? "\r\nERROR\r\n" : "\r\nOK\r\n"); });
    rig.block_list({{"", "5551234567"}});
    rig.click(0);
    rig.after(3);
    rig.port.arrive("\r\nERROR\r\n");
    EXPECT_TRUE(rig.answered("5551234567", "JOHN DOE"));
    rig.after(10);
    EXPECT_EQ(rig.settings.comm_command, "AT+VCID=1");
    EXPECT_EQ(rig.caption(), "&Pause");
}

TEST_F(ModemSessionTest, TheSecondCallerIdErrorOffersTheModemPageAndLeavesMonitoringPaused) {
    rig.modem_replies([](const std::string& command) {
        return command + (command.find("VCID") != std::string::npos ? "\r\nERROR\r\n" : "\r\nOK\r\n");
    });
    rig.click(0);
    rig.after(10);
    EXPECT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_TRUE(rig.shell.opened.empty());  // answered No

    rig.dialogs.answers = {MessageAnswer::Yes};
    rig.shell.result = 2;
    rig.click(0);
    rig.after(10);
    EXPECT_EQ(rig.shell.opened, (Texts{"http://www.vantelmoor.example/modems.htm"}));
    EXPECT_EQ(rig.dialogs.shown.back().title, "Internet Connection Error");
    EXPECT_EQ(rig.caption(), "&Listen for Calls");
}

}  // namespace
}  // namespace vantelmoor

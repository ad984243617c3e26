// The listen/pause toggle, the port scan, the failure paths, the ERROR fallback, the reset after a
// logged call, a modem that goes away and comes back, and one that forgets caller ID, over a
// scripted modem on a virtual clock.
#include <gtest/gtest.h>

#include "fakes/program_rig.h"

namespace vantelmoor {
namespace {

using test::ProgramRig;
using Texts = std::vector<std::string>;

std::string ok_to_everything(const std::string& command) { return command + "\r\nOK\r\n"; }

class ModemSessionTest : public ::testing::Test {
protected:
    ProgramRig rig;

    void SetUp() override { rig.modem_replies(ok_to_everything); }
    void toggle() { rig.click(0); }
    void expect_lights(Colour colour) {
        EXPECT_EQ(rig.view[Control::Shape1_0].fill, colour);
        EXPECT_EQ(rig.view[Control::Shape1_1].fill, colour);
    }
    void after(double seconds) { rig.loop.run_until(rig.loop.now_seconds() + seconds); }
};

TEST_F(ModemSessionTest, ListeningResetsTheModemWaitsTwoSecondsThenSwitchesCallerIdOn) {
    for (double start : {2000.0, 2000.49, 2000.5, 2000.99}) {
        ProgramRig local;
        local.modem_replies(ok_to_everything);
        local.loop.run_until(start);
        local.click(0);
        ASSERT_EQ(local.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r"}));
        EXPECT_DOUBLE_EQ(local.port.writes[1].at - local.port.writes[0].at, 2.0) << start;
    }
    toggle();
    EXPECT_EQ(rig.port.rthreshold, 1);
    EXPECT_EQ(rig.port.input_len, 1);
    EXPECT_EQ(rig.caption(), "&Pause");
    EXPECT_EQ(rig.status(), "Waiting for Call");
    EXPECT_EQ(rig.view[Control::lblStatus0].fore, kGreen);
    expect_lights(kGreen);
    EXPECT_NE(rig.log.text().find("ATZ\r\r\nOK\r\n"), std::string::npos);  // the reply, during the wait

    toggle();
    EXPECT_FALSE(rig.port.port_open());
    EXPECT_EQ(rig.caption(), "&Listen for Calls");
    EXPECT_EQ(rig.status(), "Paused");
    EXPECT_EQ(rig.view[Control::lblStatus0].fore, kRed);
    expect_lights(kRed);
    toggle();
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r", "ATZ\r", "AT+VCID=1\r"}));
}

TEST_F(ModemSessionTest, TheScanFindsAModemOnPortThreeAndKeepsItForLaterToggles) {
    rig.port.ports = {{3, std::nullopt}};
    toggle();
    EXPECT_EQ(rig.port.comm_port(), 3);
    EXPECT_EQ(rig.session.next_port(), 4);
    EXPECT_EQ(rig.caption(), "&Pause");
    toggle();
    toggle();
    EXPECT_EQ(rig.port.opened, (std::vector<int>{3, 3}));
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(ModemSessionTest, NoPortAtAllIsSaidOnceAfterTheScanAndThenAtOnce) {
    rig.port.ports.clear();
    toggle();
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, "There is a problem connecting to your modem.");
    EXPECT_EQ(rig.dialogs.shown[0].title, "Vantelmoor Initialization");
    EXPECT_EQ(rig.dialogs.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(rig.dialogs.shown[0].modality, Modality::System);
    EXPECT_EQ(rig.port.comm_port(), 16);
    EXPECT_EQ(rig.status(), "Modem Error");
    EXPECT_EQ(rig.view[Control::lblStatus0].fore, kGreen);  // the colour the start had set
    expect_lights(kRed);
    EXPECT_EQ(rig.caption(), "&Listen for Calls");
    toggle();  // no second scan
    EXPECT_EQ(rig.dialogs.shown.size(), 2u);
    EXPECT_EQ(rig.port.comm_port(), 16);
}

// Another user's copy, or another program, may hold the port for a while: no box, tried again.
TEST_F(ModemSessionTest, APortHeldElsewhereIsTriedEveryFiveSecondsAndOtherFailuresShowTheirNumberAndText) {
    rig.port.ports = {{1, PortError{kPortAlreadyOpen, "Port already open"}}};
    toggle();
    EXPECT_EQ(rig.status(), "Modem Error");
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_TRUE(rig.noted("COM1 is in use by another program. Trying it again every 5 seconds."));
    rig.port.ports = {{1, std::nullopt}};  // let go
    after(8);
    EXPECT_EQ(rig.status(), "Waiting for Call");
    EXPECT_EQ(rig.count("AT+VCID=1"), 1);

    toggle();
    rig.port.ports = {{1, PortError{31, "A device attached to the system is not functioning."}}};
    toggle();
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].title, "Error");
    EXPECT_EQ(rig.dialogs.shown[0].text, "31    A device attached to the system is not functioning.");
    EXPECT_EQ(rig.caption(), "&Listen for Calls");
}

TEST_F(ModemSessionTest, AToggleEnteredAgainDuringTheWaitActsOnTheStateItFinds) {
    bool clicked = false;
    rig.port.on_write = [&](const std::string& command) {
        if (command == "ATZ\r" && !clicked) {
            clicked = true;
            rig.loop.after(0.5, [&] { rig.click(0); });
        }
    };
    toggle();
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "ATZ\r", "AT+VCID=1\r", "AT+VCID=1\r"}));
    EXPECT_EQ(rig.port.opened.size(), 1u);
    EXPECT_EQ(rig.caption(), "&Pause");
}

TEST_F(ModemSessionTest, TheResetAfterACallKeepsTheStateAndTheFaultsThatStand) {
    toggle();
    rig.log.fault(Fault::CallLog, "a note of the program's own");
    rig.port.writes.clear();
    rig.session.restart_monitoring();
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r"}));
    EXPECT_EQ(rig.caption(), "&Pause");
    EXPECT_EQ(rig.log.text().find("* a note of the program's own\r\n"), 0u);
    EXPECT_EQ(rig.log.text().find("ATZ"), rig.log.text().rfind("ATZ"));  // only the new reset's echo

    toggle();
    rig.port.writes.clear();
    rig.session.restart_monitoring();  // paused: reset once, still paused
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r"}));
    EXPECT_EQ(rig.status(), "Paused");
    EXPECT_FALSE(rig.port.port_open());
}

TEST_F(ModemSessionTest, AModemThatGoesAwayIsTriedEveryFiveSecondsWithoutABoxUntilItIsBack) {
    toggle();
    rig.port.writes.clear();
    rig.port.unplug();
    EXPECT_EQ(rig.status(), "Modem Error");
    expect_lights(kRed);
    EXPECT_EQ(rig.caption(), "&Pause");
    EXPECT_FALSE(rig.port.port_open());
    EXPECT_TRUE(rig.noted("The modem on COM1 stopped working (The pipe has been ended.)"));
    const std::size_t opens = rig.port.opened.size();
    after(12);
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.port.opened.size(), opens);  // tried, never opened
    rig.session.restart_monitoring();          // a call logged meanwhile leaves the retries alone
    EXPECT_FALSE(rig.port.port_open());

    rig.port.plug_in();
    after(5);
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r"}));
    EXPECT_EQ(rig.status(), "Waiting for Call");
    EXPECT_EQ(rig.caption(), "&Pause");
    EXPECT_TRUE(rig.noted("The modem on COM1 is back."));
}

// An RS-232 modem switched off says nothing and reports no error: after a minute of quiet it is
// asked, and two silences in a row are a lost modem, back only once it answers its reset again.
TEST(ModemWatchdogTest, AQuietModemIsAskedOnceAMinuteAndTwoSilencesInARowAreALostModem) {
    struct Case {
        const char* what;
        std::vector<bool> answers;  // whether each of the watchdog's "AT"s is answered
        bool switched_off;          // from the first question on, the modem says nothing at all
        bool ringing;               // a call rings throughout
        bool paused;
        int asked;                  // "AT"s sent in 130 seconds
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
            const bool answer = questions < c.answers.size() && c.answers[questions];
            ++questions;
            return answer ? "AT\r\r\nOK\r\n" : "";
        });
        rig.click(0);
        if (c.paused) rig.click(0);
        if (c.ringing) {
            for (double at = 1; at < 130; at += 6) rig.loop.after(at, [&] { rig.port.arrive("\r\nRING\r\n"); });
        }
        rig.loop.run_until(rig.loop.now_seconds() + 1);
        const std::string before = rig.log.text();
        rig.loop.run_until(rig.loop.now_seconds() + 129);
        EXPECT_EQ(rig.count("AT"), c.asked) << c.what;
        EXPECT_EQ(rig.status(), c.status) << c.what;
        if (!c.ringing) {
            EXPECT_EQ(rig.log.text().find("\r\nOK", before.size()), std::string::npos) << c.what;
        }
        if (!c.switched_off) continue;
        EXPECT_TRUE(rig.noted("did not answer AT twice")) << c.what;
        rig.loop.run_until(rig.loop.now_seconds() + 20);  // its port opens; its reset goes unanswered
        EXPECT_EQ(rig.status(), "Modem Error") << c.what;
        off = false;  // switched on again
        rig.loop.run_until(rig.loop.now_seconds() + 8);
        EXPECT_EQ(rig.status(), "Waiting for Call") << c.what;
        EXPECT_TRUE(rig.noted("is back")) << c.what;
    }
}

TEST_F(ModemSessionTest, PausingStopsTheRetriesAndAFailingWriteCountsAsAModemGone) {
    toggle();
    rig.port.unplug();
    toggle();
    EXPECT_EQ(rig.status(), "Paused");
    rig.port.plug_in();
    after(20);
    EXPECT_FALSE(rig.port.port_open());

    toggle();
    rig.port.write_failure = PortError{1460, "The modem did not take the command within 2 seconds"};
    rig.port.unplug();
    rig.port.plug_in();
    after(5);  // opened again, but the reset is not taken: still trying, still no box
    EXPECT_TRUE(rig.timers.running(TimerId::ReopenPort));
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(ModemSessionTest, TwoCallsRingingWithoutCallerIdHaveTheModemSetUpAgainOnceQuiet) {
    toggle();
    rig.port.arrive("\r\nRING\r\n\r\nNMBR=5551234567\r\n");  // caller ID works
    after(30);
    rig.port.writes.clear();
    double last_ring = 0;
    for (int call = 0; call < 2; ++call) {
        for (int ring = 0; ring < 3; ++ring) {
            rig.port.arrive("\r\nRING\r\n");
            last_ring = rig.loop.now_seconds();
            after(6);
        }
        after(9);
    }
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r"}));
    EXPECT_DOUBLE_EQ(rig.port.writes[0].at, last_ring + 10);
    EXPECT_TRUE(rig.noted("Two calls rang without caller ID: setting the modem up again."));
    after(60);
    EXPECT_EQ(rig.port.writes.size(), 2u);  // once
}

TEST_F(ModemSessionTest, CallsWithoutCallerIdAreLeftAloneWhenCallerIdNeverWorked) {
    toggle();
    rig.port.writes.clear();
    for (int call = 0; call < 3; ++call) {
        rig.port.arrive("\r\nRING\r\n");
        after(20);
    }
    EXPECT_TRUE(rig.port.writes.empty());
}

class ErrorFallbackTest : public ModemSessionTest {};

TEST_F(ErrorFallbackTest, TheFirstErrorSwitchesToTheSecondCommandSavesItAndListensAgain) {
    rig.modem_replies([](const std::string& command) {
        return command == "AT+VCID=1\r" ? command + "\r\nERROR\r\n" : command + "\r\nOK\r\n";
    });
    toggle();
    rig.loop.run_until(rig.loop.now_seconds() + 10);
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r", "ATZ\r", "AT#VCID=1\r"}));
    EXPECT_EQ(rig.registry.text(kSettingsKey, "CommCommand"), "AT#VCID=1");
    EXPECT_EQ(rig.caption(), "&Pause");
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.log.text().find("ERROR"), std::string::npos);  // emptied before the restart
}

TEST_F(ErrorFallbackTest, AnErrorArrivingDuringTheResetsWaitRestartsWithinIt) {
    rig.modem_replies(
        [](const std::string& command) { return command == "AT+VCID=1\r" ? "\r\nERROR\r\n" : "\r\nOK\r\n"; }, 0.2);
    toggle();
    rig.loop.run_until(rig.loop.now_seconds() + 10);
    EXPECT_EQ(rig.port.written_texts().back(), "AT#VCID=1\r");
    EXPECT_EQ(rig.caption(), "&Pause");
    EXPECT_TRUE(rig.port.port_open());
}

TEST_F(ErrorFallbackTest, TheSecondErrorOffersTheModemPageAndAnsweredNoLeavesMonitoringPaused) {
    rig.modem_replies([](const std::string& command) {
        return command + (command.find("VCID") != std::string::npos ? "\r\nERROR\r\n" : "\r\nOK\r\n");
    });
    toggle();
    rig.loop.run_until(rig.loop.now_seconds() + 10);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    const auto& box = rig.dialogs.shown[0];
    EXPECT_EQ(box.title, "Modem Error");
    EXPECT_EQ(box.icon, MessageIcon::Information);
    EXPECT_EQ(box.buttons, MessageButtons::YesNo);
    EXPECT_EQ(box.text,
              "Your modem is not indicating compatibility with Caller ID. You may need to upgrade your modem.\r\r"
              "You can upgrade your modem on your own or visit our online support area for great deals on "
              "modems specially selected to work with Vantelmoor.\r\r"
              ">> Do you want to visit our web site and learn more about how to block unwanted calls?");
    EXPECT_TRUE(rig.shell.opened.empty());
    EXPECT_EQ(rig.caption(), "&Listen for Calls");
    EXPECT_EQ(rig.status(), "Paused");
}

TEST_F(ErrorFallbackTest, AnsweredYesOpensTheModemPageAndReportsAShellFailure) {
    rig.settings.comm_command = kAlternateCommCommand;
    rig.modem_replies([](const std::string& command) { return command == "AT#VCID=1\r" ? "\r\nERROR\r\n" : ""; });
    rig.dialogs.answers = {MessageAnswer::Yes};
    rig.shell.result = 2;
    toggle();
    rig.loop.run_until(rig.loop.now_seconds() + 10);
    EXPECT_EQ(rig.shell.opened, (Texts{"http://www.vantelmoor.example/modems.htm"}));
    ASSERT_EQ(rig.dialogs.shown.size(), 2u);
    EXPECT_EQ(rig.dialogs.shown[1].title, "Internet Connection Error");
    EXPECT_EQ(rig.dialogs.shown[1].text,
              "Could not connect to the Online Order Center. Start Your Internet Browser and try again..");
    EXPECT_EQ(rig.caption(), "&Listen for Calls");
}

}  // namespace
}  // namespace vantelmoor

// The listen/pause toggle, the port scan, the failure paths, the ERROR fallback and the reset
// after a logged call, over a scripted modem on a virtual clock.
#include <gtest/gtest.h>

#include "fakes/monitor_rig.h"

namespace vantelmoor {
namespace {

using test::MonitorRig;
using Texts = std::vector<std::string>;

std::string ok_to_everything(const std::string& command) { return command + "\r\nOK\r\n"; }

class ModemSessionTest : public ::testing::Test {
protected:
    MonitorRig rig;

    void SetUp() override { rig.modem_replies(ok_to_everything); }
    void toggle() { rig.session.connect_click(0); }
    void expect_lights(Colour colour) {
        EXPECT_EQ(rig.view[Control::Shape1_0].fill, colour);
        EXPECT_EQ(rig.view[Control::Shape1_1].fill, colour);
    }
};

TEST_F(ModemSessionTest, ListeningResetsTheModemWaitsThenSendsTheCallerIdCommand) {
    toggle();

    EXPECT_TRUE(rig.port.port_open());
    EXPECT_EQ(rig.port.rthreshold, 1);
    EXPECT_EQ(rig.port.input_len, 1);
    ASSERT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r"}));
    const double pause = rig.port.writes[1].at - rig.port.writes[0].at;
    EXPECT_GE(pause, 1.5);
    EXPECT_LE(pause, 2.5);
    EXPECT_EQ(rig.toggle_caption(), "&Pause");
    EXPECT_EQ(rig.status(), "Waiting for Call");
    EXPECT_EQ(rig.view[Control::lblStatus0].fore, kGreen);
    expect_lights(kGreen);
    // The modem's echo and OK, received during the wait, are in the activity log.
    EXPECT_NE(rig.log.text().find("ATZ\r\r\nOK\r\n"), std::string::npos);
}

TEST_F(ModemSessionTest, WaitLastsTwoSecondsWhereverTheClocksSecondFalls) {
    for (double start : {2000.0, 2000.49, 2000.5, 2000.99}) {
        MonitorRig local;
        local.loop.run_until(start);
        local.session.connect_click(0);
        ASSERT_EQ(local.port.writes.size(), 2u);
        EXPECT_DOUBLE_EQ(local.port.writes[1].at - local.port.writes[0].at, 2.0) << start;
    }
}

TEST_F(ModemSessionTest, PausingClosesThePortAndShowsPausedInRed) {
    toggle();
    toggle();
    EXPECT_FALSE(rig.port.port_open());
    EXPECT_EQ(rig.toggle_caption(), "&Listen for Calls");
    EXPECT_EQ(rig.status(), "Paused");
    EXPECT_EQ(rig.view[Control::lblStatus0].fore, kRed);
    expect_lights(kRed);
}

TEST_F(ModemSessionTest, PauseThenListenInitialisesTheModemAgain) {
    toggle();
    toggle();
    toggle();
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r", "ATZ\r", "AT+VCID=1\r"}));
    EXPECT_EQ(rig.toggle_caption(), "&Pause");
}

TEST_F(ModemSessionTest, ModemOnPortThreeIsFoundByTheScanAndKeptForLaterToggles) {
    rig.port.ports = {{3, std::nullopt}};
    toggle();

    EXPECT_EQ(rig.port.comm_port(), 3);
    EXPECT_EQ(rig.session.next_port(), 4);
    EXPECT_EQ(rig.toggle_caption(), "&Pause");
    EXPECT_TRUE(rig.dialogs.shown.empty());

    toggle();
    toggle();
    EXPECT_EQ(rig.port.opened, (std::vector<int>{3, 3}));
}

TEST_F(ModemSessionTest, NoPortAtAllShowsTheConnectionProblemOnceAndThenAtOnce) {
    rig.port.ports.clear();
    toggle();

    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, "There is a problem connecting to your modem.");
    EXPECT_EQ(rig.dialogs.shown[0].title, "Vantelmoor Initialization");
    EXPECT_EQ(rig.dialogs.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(rig.dialogs.shown[0].modality, Modality::System);
    EXPECT_EQ(rig.port.comm_port(), 16);
    EXPECT_EQ(rig.session.next_port(), 17);
    EXPECT_EQ(rig.status(), "Modem Error");
    EXPECT_EQ(rig.view[Control::lblStatus0].fore, kGreen);  // the colour the start had set
    expect_lights(kRed);
    EXPECT_EQ(rig.toggle_caption(), "&Listen for Calls");
    EXPECT_TRUE(rig.port.writes.empty());

    toggle();  // no second scan
    EXPECT_EQ(rig.dialogs.shown.size(), 2u);
    EXPECT_EQ(rig.port.comm_port(), 16);
}

TEST_F(ModemSessionTest, PortHeldByAnotherProgramShowsModemErrorWithoutABox) {
    rig.port.ports = {{1, PortError{kPortAlreadyOpen, "Port already open"}}};
    toggle();
    EXPECT_EQ(rig.status(), "Modem Error");
    expect_lights(kRed);
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.toggle_caption(), "&Listen for Calls");
}

TEST_F(ModemSessionTest, AnyOtherFailureShowsItsNumberAndText) {
    rig.port.ports = {{1, PortError{31, "A device attached to the system is not functioning."}}};
    toggle();
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].title, "Error");
    EXPECT_EQ(rig.dialogs.shown[0].text, "31    A device attached to the system is not functioning.");
    EXPECT_EQ(rig.dialogs.shown[0].modality, Modality::System);
    EXPECT_EQ(rig.status(), "Modem Error");
    EXPECT_EQ(rig.toggle_caption(), "&Listen for Calls");

    rig.port.ports = {{1, std::nullopt}};
    toggle();  // the next toggle tries again
    EXPECT_EQ(rig.toggle_caption(), "&Pause");
}

TEST_F(ModemSessionTest, ToggleEnteredAgainDuringTheWaitActsOnTheCaptionItFinds) {
    // A click on the toggle while the modem resets: the caption still says Listen, so the nested
    // click starts too, on the port that is already open.
    bool clicked = false;
    rig.port.on_write = [&](const std::string& command) {
        if (command == "ATZ\r" && !clicked) {
            clicked = true;
            rig.loop.after(0.5, [&] { rig.session.connect_click(0); });
        }
    };
    toggle();
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "ATZ\r", "AT+VCID=1\r", "AT+VCID=1\r"}));
    EXPECT_EQ(rig.port.opened.size(), 1u);
    EXPECT_EQ(rig.toggle_caption(), "&Pause");
    EXPECT_TRUE(rig.port.port_open());
}

TEST_F(ModemSessionTest, HideIsIndexOneAndOtherIndexesDoNothing) {
    rig.session.connect_click(1);
    rig.session.connect_click(7);
    rig.session.connect_click(-1);
    EXPECT_EQ(rig.hides, 1);
    EXPECT_TRUE(rig.port.writes.empty());
}

TEST_F(ModemSessionTest, RestartWhileListeningEmptiesTheLogAndReinitialisesTheModem) {
    toggle();
    rig.port.writes.clear();
    rig.session.restart_monitoring();
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r"}));
    EXPECT_EQ(rig.toggle_caption(), "&Pause");
    EXPECT_EQ(rig.log.text().find("ATZ"), rig.log.text().rfind("ATZ"));  // only the new reset's echo
}

TEST_F(ModemSessionTest, RestartWhilePausedResetsTheModemOnceAndStaysPaused) {
    rig.session.restart_monitoring();
    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r"}));
    EXPECT_EQ(rig.toggle_caption(), "&Listen for Calls");
    EXPECT_FALSE(rig.port.port_open());
    EXPECT_EQ(rig.status(), "Paused");
}

class ErrorFallbackTest : public ModemSessionTest {};

TEST_F(ErrorFallbackTest, FirstErrorSwitchesToTheSecondCommandSavesItAndListensAgain) {
    rig.modem_replies([](const std::string& command) {
        return command == "AT+VCID=1\r" ? command + "\r\nERROR\r\n" : command + "\r\nOK\r\n";
    });
    toggle();
    rig.loop.run_all();

    EXPECT_EQ(rig.port.written_texts(), (Texts{"ATZ\r", "AT+VCID=1\r", "ATZ\r", "AT#VCID=1\r"}));
    EXPECT_EQ(rig.settings.comm_command, "AT#VCID=1");
    EXPECT_EQ(rig.registry.text(kSettingsKey, "CommCommand"), "AT#VCID=1");
    EXPECT_EQ(rig.toggle_caption(), "&Pause");
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.log.text().find("ERROR"), std::string::npos);  // emptied before the restart
}

TEST_F(ErrorFallbackTest, SecondErrorOffersTheModemPageAndAnsweredNoLeavesMonitoringPaused) {
    rig.modem_replies([](const std::string& command) {
        return command.find("VCID") != std::string::npos ? command + "\r\nERROR\r\n" : command + "\r\nOK\r\n";
    });
    toggle();
    rig.loop.run_all();

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
    EXPECT_EQ(rig.toggle_caption(), "&Listen for Calls");
    EXPECT_EQ(rig.status(), "Paused");
    EXPECT_FALSE(rig.port.port_open());
    EXPECT_EQ(rig.settings.comm_command, "AT#VCID=1");
}

TEST_F(ErrorFallbackTest, AnsweredYesOpensTheModemPageAndReportsAShellFailure) {
    rig.settings.comm_command = kAlternateCommCommand;
    rig.modem_replies([](const std::string& command) {
        return command == "AT#VCID=1\r" ? std::string("\r\nERROR\r\n") : std::string("\r\nOK\r\n");
    });
    rig.dialogs.answers = {MessageAnswer::Yes};
    rig.shell.result = 2;
    toggle();
    rig.loop.run_all();

    ASSERT_EQ(rig.shell.opened.size(), 1u);
    EXPECT_NE(rig.shell.opened[0].find("/modems.htm"), std::string::npos);
    ASSERT_EQ(rig.dialogs.shown.size(), 2u);
    EXPECT_EQ(rig.dialogs.shown[1].title, "Internet Connection Error");
    EXPECT_EQ(rig.dialogs.shown[1].text,
              "Could not connect to the Online Order Center. Start Your Internet Browser and try again..");
    EXPECT_EQ(rig.dialogs.shown[1].icon, MessageIcon::Stop);
    EXPECT_EQ(rig.toggle_caption(), "&Listen for Calls");
}

TEST_F(ErrorFallbackTest, ErrorArrivingWhileTheResetWaitsRestartsWithinTheWait) {
    // The reply to the first command arrives only after the second start has begun its wait:
    // the handlers nest and each acts on the state it finds.
    rig.modem_replies(
        [](const std::string& command) {
            return command == "AT+VCID=1\r" ? std::string("\r\nERROR\r\n") : std::string("\r\nOK\r\n");
        },
        0.2);
    toggle();
    rig.loop.run_all();
    EXPECT_EQ(rig.port.written_texts().back(), "AT#VCID=1\r");
    EXPECT_EQ(rig.toggle_caption(), "&Pause");
    EXPECT_TRUE(rig.port.port_open());
}

}  // namespace
}  // namespace vantelmoor

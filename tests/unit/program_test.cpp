// The program as a tray utility: its start-up, the tray icon and its menu, the window's menu, the ways it ends.
#include <gtest/gtest.h>

#include "fakes/program_rig.h"
#include "ui/tray.h"

namespace vantelmoor {
namespace {

using test::ProgramRig;

const std::string kMarker = std::string(ProgramRig::kDir) + "\\Vantelmoor.flg";

class ProgramTest : public ::testing::Test {
protected:
    ProgramRig rig;
    std::vector<std::string> journal;

    void SetUp() override {
        rig.port.on_write = [this, reply = rig.port.on_write](const std::string& command) {
            journal.push_back("sent " + command);
            reply(command);
        };
        rig.view.journal = rig.tray.journal = rig.file_system.journal = &journal;
    }
    void start() { ASSERT_TRUE(rig.program.start()); }
};

TEST_F(ProgramTest, MakesTheRunMarkerPutsTheWindowAwayAddsTheIconAndThenListens) {
    rig.settings.comm_command.clear();  // the command sent is the one start-up reads
    start();
    // Everything the windows need comes before caller ID is on: nothing of start-up can hold a call.
    EXPECT_EQ(journal, (std::vector<std::string>{"created " + kMarker, "main window hidden", "icon added", "sent ATZ\r",
                                                 "sent AT+VCID=1\r"}));
    EXPECT_TRUE(rig.noted("The block list, the call log and the run marker are kept in C:\\Vantelmoor."));
}

// Without its marker the program would end at the marker's first check, unexplained.
TEST_F(ProgramTest, ASecondCopyDoesNothingAndARunMarkerThatCannotBeMadeEndsTheProgramEachSaidInABox) {
    rig.app.other_copy = true;
    EXPECT_FALSE(rig.program.start());
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(rig.registry.keys.empty());
    rig.app.other_copy = false;
    rig.file_system.read_only = true;  // neither its folder nor the machine's data folder can take a file
    EXPECT_FALSE(rig.program.start());
    ASSERT_EQ(rig.dialogs.shown.size(), 2u);
    EXPECT_NE(rig.dialogs.shown[1].text.find("cannot create files in C:\\Vantelmoor (Access is denied.)"),
              std::string::npos);
    EXPECT_TRUE(rig.app.ended);
}

// One line, one call log: while another user's copy screens, this one changes nothing.
TEST_F(ProgramTest, ACopyStartedWhileAnotherScreensWaitsChangesNothingAndTakesOverWhenThatOneEnds) {
    rig.lock.held_elsewhere = true;
    start();
    EXPECT_EQ(rig.status(), "Another User Screens");
    EXPECT_EQ(rig.tray.tip, "Another user's Vantelmoor is screening the line");
    EXPECT_FALSE(rig.port.port_open());
    for (const MainMenuItem item : {MainMenuItem::ShowLog, MainMenuItem::Preferences}) rig.choose(item);
    rig.click(0);  // listen: still held
    rig.tray.events->menu_chosen(TrayMenuItem::Open);
    EXPECT_EQ(rig.dialogs.shown.size(), 3u);  // each says why nothing happens
    EXPECT_FALSE(rig.call_log_view.created || rig.preferences_view.created);
    rig.after(12);
    EXPECT_EQ(rig.lock.tries, 4);          // at start, the click, and every five seconds
    EXPECT_TRUE(rig.files.files.empty());  // a read would have made the files

    rig.registry.put_text(kSettingsKey, "TotalCount", "9");  // counted by the other copy
    rig.lock.held_elsewhere = false;                         // whose user signed out
    rig.after(5);
    EXPECT_EQ(rig.status(), "Waiting for Call");
    EXPECT_NE(rig.tray.tip->find("9 Total Calls Analyzed"), std::string::npos);
    EXPECT_TRUE(rig.noted("this one screens the line now"));
    EXPECT_TRUE(rig.files.files.contains(ProgramRig::kLogFile));
}

// The data follows the installation: setup's copy always uses the shared folder, elevated or not.
TEST(DataDirectoryTest, SetupsCopyUsesTheSharedFolderAndAnyOtherCopyItsOwnWhenItCanWriteThere) {
    const std::string setup_dir = "C:\\Program Files\\Vantelmoor";
    const std::string shared = "C:\\ProgramData\\Vantelmoor";
    const std::tuple<const char*, std::string, std::string, std::string, std::string, bool, bool> cases[] = {
        {"setup's copy", setup_dir, setup_dir + "\\Vantelmoor.exe", setup_dir, shared, false, true},
        {"elevated, as the system names it", setup_dir, "\\\\?\\C:\\PROGRAM FILES\\vantelmoor\\VANTELMOOR.EXE",
         setup_dir + "\\", shared, true, true},
        {"the two files copied elsewhere", "C:\\Tools", "C:\\Tools\\Vantelmoor.exe", setup_dir, "C:\\Tools", true,
         false},
        {"Program Files itself", "C:\\Program Files", "C:\\Program Files\\Vantelmoor.exe", "C:\\Program Files",
         "C:\\Program Files", true, false},
        {"a zip copy it cannot write to", "D:\\Mine", "D:\\Mine\\Vantelmoor.exe", "", shared, false, false},
    };
    for (const auto& [what, dir, executable, location, expected, writable, installed] : cases) {
        test::FakeFileSystem files;
        files.read_only = !writable;
        const DataDirectory data =
            choose_data_directory(files, {dir, executable, location, "C:\\Program Files", "C:\\ProgramData"});
        EXPECT_EQ(data.path, expected) << what;
        EXPECT_EQ(data.installed, installed) << what;
        EXPECT_EQ(files.directories.size(), expected == shared && !installed ? 1u : 0u) << what;
    }
}

TEST_F(ProgramTest, TheIconComesBackWithTheTaskbarItsTipIsCutToFitItTogglesTheWindowAndEveryWayOfHidingWorks) {
    rig.registry.put_text(kSettingsKey, "TotalCount", "23455");
    rig.registry.put_text(kSettingsKey, "TotalBlocked", "12344");
    rig.tray.refuse = true;  // no taskbar yet, as early in a Windows start
    start();
    EXPECT_TRUE(rig.noted("Windows did not take the notification-area icon"));
    rig.port.arrive("\r\nRING\r\nNMBR=5551234567\r\n");
    rig.tray.refuse = false;
    rig.tray.events->taskbar_created();
    EXPECT_EQ(rig.tray.tip, "12344 Total Blocked to Date\r23456 Total Calls Analyzed\r1 New Ca");
    // Moving over the icon does nothing; a double-click is a down, then the double-click message.
    std::vector<bool> shown;
    for (const int message :
         {512, kLeftButtonDown, kLeftButtonDown, kLeftButtonDown, kLeftButtonDoubleClick, kRightButtonDown}) {
        rig.tray.events->icon_mouse(message);
        shown.push_back(rig.view.visible());
    }
    EXPECT_EQ(shown, (std::vector<bool>{false, true, false, true, false, false}));
    EXPECT_EQ(rig.tray.menus_shown, 1);
    for (const bool by_button : {true, false}) {
        rig.view.show_normal();
        by_button ? rig.click(1) : rig.choose(MainMenuItem::Hide);
        EXPECT_FALSE(rig.view.visible());
    }
    EXPECT_FALSE(rig.view.events->query_unload(CloseReason::User));  // the title bar's close
    EXPECT_TRUE(rig.view.events->query_unload(CloseReason::System));
    rig.tray.events->session_ending();
    EXPECT_FALSE(rig.tray.tip);
}

TEST_F(ProgramTest, TheMenusOfferWhatFitsTheStateOfMonitoring) {
    const auto expect = [&](bool main_pause, bool tray_listen, bool tray_pause) {
        EXPECT_EQ(rig.view.menu_enabled[MainMenuItem::Pause], main_pause);
        EXPECT_EQ(rig.tray.menu_enabled[TrayMenuItem::Listen], tray_listen);
        EXPECT_EQ(rig.tray.menu_enabled[TrayMenuItem::Pause], tray_pause);
    };
    start();
    expect(true, false, true);
    rig.tray.events->menu_chosen(TrayMenuItem::Pause);
    expect(false, true, false);
    rig.port.ports.clear();  // a start that fails leaves the items as they were
    rig.tray.events->menu_chosen(TrayMenuItem::Listen);
    expect(false, true, false);
    rig.port.ports = {{16, std::nullopt}};
    rig.choose(MainMenuItem::Pause);  // the main window's item toggles too
    expect(true, false, true);
}

// The run marker is looked for every ten seconds; a call already reported is logged before the end.
TEST_F(ProgramTest, ADeletedRunMarkerEndsTheProgramAndACallAlreadyReportedIsLoggedFirst) {
    start();
    rig.after(25);
    EXPECT_FALSE(rig.app.ended);
    rig.file_system.existing.erase(kMarker);
    rig.port.arrive(ProgramRig::report("5551234567", "JOHN DOE"));
    rig.after(4);  // the check comes before the call's five seconds are up
    EXPECT_TRUE(rig.app.ended);
    EXPECT_FALSE(rig.tray.tip);
    EXPECT_EQ(read_call_records(rig.files.files[ProgramRig::kLogFile]).size(), 1u);
}

TEST_F(ProgramTest, VersionHelpAndTheWebSiteFromTheMainWindow) {
    rig.choose(MainMenuItem::Version);
    EXPECT_EQ(rig.dialogs.shown.at(0).text.substr(0, 28), "Vantelmoor Version: 10.0.4\r\r");
    EXPECT_EQ(rig.dialogs.shown.at(0).modality, Modality::MainWindow);
    rig.choose(MainMenuItem::Help);
    rig.view.events->label2_click();
    const std::vector<std::string> opened{"C:\\Vantelmoor\\VantelmoorReadme.txt", "http://www.vantelmoor.example/"};
    EXPECT_EQ(rig.shell.opened, opened);
    rig.shell.result = 2;  // a failure the shell itself does not report
    rig.choose(MainMenuItem::Help);
    EXPECT_EQ(rig.dialogs.shown.size(), 2u);
}

}  // namespace
}  // namespace vantelmoor

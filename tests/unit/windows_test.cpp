// The call-log window (list, printout, buttons, clearing, blocking) and the preferences window, as wired.
#include <gtest/gtest.h>

#include "fakes/program_rig.h"
#include "store/fixed_text.h"
#include "ui/call_log_window.h"
#include "ui/preferences_window.h"

namespace vantelmoor {
namespace {

using test::ProgramRig;

const std::string kSpaces20(20, ' ');

class WindowsTest : public ::testing::Test {
protected:
    ProgramRig rig;
    test::FakeCallLogView& log_view = rig.call_log_view;
    test::FakePreferencesView& prefs_view = rig.preferences_view;

    void SetUp() override { rig.screen(); }

    void log(std::vector<std::string> calls) { rig.files.files[ProgramRig::kLogFile] = write_call_records(calls); }
    std::vector<BlockEntry> blocked() { return read_block_records(rig.files.files[ProgramRig::kBlockFile]); }
    void press(CallLogButton button) { log_view.events->button_click(button); }
    void press(PreferencesButton button) { prefs_view.events->button_click(button); }
    bool enabled(CallLogButton button) { return log_view.enabled[button]; }
    test::ShownBox last_box() { return rig.dialogs.shown.empty() ? test::ShownBox{} : rig.dialogs.shown.back(); }
};

// The NUL of a call that was not blocked would end the text: a space stands for it.
TEST(CallLogLinesTest, NumbersInTheirLogFormAndAPrintoutWithItsHeadingOnTheFirstPageOnly) {
    const std::tuple<const char*, const char*> numbers[] = {
        {"5551234", "    555-1234"}, {"5551234567", "555-123-4567"}, {"18005551234", "18005551234"}};
    for (const auto& [number, shown] : numbers)
        EXPECT_EQ(call_log_list_line(call_log_line("03/21", "02:05 PM", "A NAME OF TWENTY CHA", number, false)),
                  "03/21 02:05 PM   A NAME OF TWENTY CHA " + fixed_width(shown, 20) + "  ");
    const std::vector<std::string> calls(100, call_log_line("03/21", "02:05 PM", "JOHN", "5551234567", false));
    const std::vector<PrintedPage> pages = call_log_printout(calls, 40);
    ASSERT_EQ(pages.size(), 3u);  // 5 heading lines and 100 calls
    EXPECT_EQ(pages[2].size(), 25u);
    EXPECT_TRUE(pages[0][2].bold);
    EXPECT_EQ(pages[1][0].text, call_log_print_line(calls[0]));
}

// A question belongs to the window that asks, so that window cannot be clicked underneath it.
TEST_F(WindowsTest, TheCallLogsButtonsFollowTheLogAndBlockAsksThenAddsTheCallerAsShownOrSaysItIsThere) {
    rig.choose(MainMenuItem::ShowLog);
    EXPECT_TRUE(log_view.shown);
    EXPECT_FALSE(enabled(CallLogButton::Print) || enabled(CallLogButton::Clear) || enabled(CallLogButton::Block));
    press(CallLogButton::Close);
    EXPECT_FALSE(log_view.created);

    log({call_log_line("01/01", "", "ANN", "1", false), call_log_line("01/02", "", "JOHN DOE", "5551234567", true)});
    rig.tray.events->menu_chosen(TrayMenuItem::Open);  // with the monitor window
    EXPECT_TRUE(rig.view.visible() && log_view.shown);
    EXPECT_EQ(log_view.selection, 1);  // the newest, in view
    EXPECT_TRUE(enabled(CallLogButton::Print) && enabled(CallLogButton::Clear));
    EXPECT_FALSE(enabled(CallLogButton::Block));  // until a line is picked
    log_view.events->selection_changed();
    EXPECT_TRUE(enabled(CallLogButton::Block));
    log_view.selection = -1;
    press(CallLogButton::Block);
    EXPECT_EQ(last_box().text, "Use the left mouse button to select an item from the list.");
    log_view.selection = 1;
    rig.dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Ok};
    press(CallLogButton::Block);
    EXPECT_EQ(rig.dialogs.shown.at(1).modality, Modality::CallLogWindow);
    EXPECT_EQ(blocked(), (std::vector<BlockEntry>{{"JOHN DOE", "555-123-4567"}}));
    EXPECT_FALSE(enabled(CallLogButton::Block));
    EXPECT_FALSE(rig.view[Control::Connect2].enabled);  // as after the monitor window's own button
    press(CallLogButton::Block);
    EXPECT_EQ(last_box().text, "This name/number is already being blocked.");
    rig.click(1);  // Hide closes the call-log window too
    EXPECT_FALSE(log_view.created);
}

TEST_F(WindowsTest, ClearingTheLogAsksFirstThenEmptiesFileAndCopyAndCountsNewCallsFromZero) {
    rig.answered("5551234567", "JOHN DOE");
    rig.choose(MainMenuItem::ShowLog);
    log_view.events->selection_changed();  // a line picked: Block offered until the log is emptied
    press(CallLogButton::Clear);           // answered No
    EXPECT_EQ(rig.dialogs.shown.at(0).modality, Modality::CallLogWindow);
    EXPECT_EQ(rig.files.files[ProgramRig::kLogFile].size(), kCallRecordSize);
    rig.files.fail_replace = true;
    rig.dialogs.answers = {MessageAnswer::Yes};
    press(CallLogButton::Clear);
    EXPECT_NE(last_box().text.find("could not be emptied (There is not enough space on the disk.)"), std::string::npos);
    rig.files.fail_replace = false;
    rig.dialogs.answers = {MessageAnswer::Yes};
    press(CallLogButton::Clear);
    EXPECT_EQ(rig.files.files[ProgramRig::kLogFile], "");
    EXPECT_TRUE(rig.program.call_log.lines().empty());
    EXPECT_EQ(rig.view.text(Control::lblStatus1), "0 New Calls");
    EXPECT_FALSE(enabled(CallLogButton::Print) || enabled(CallLogButton::Block));
    press(CallLogButton::Clear);
    EXPECT_EQ(last_box().title, "Remove All");
}

// Hundreds of pages may go out: the printing must not hold a listed caller's answer.
TEST_F(WindowsTest, PrintingGoesOnWhileCallsAreScreenedWithTheBusyPointerUntilItEnds) {
    rig.block_list({{"", "5551234567"}});
    rig.tray.events->menu_chosen(TrayMenuItem::Open);
    press(CallLogButton::Print);
    EXPECT_EQ(rig.dialogs.busy, std::vector<bool>{true});
    rig.port.arrive("\r\nRING\r\nNMBR=5551234567\r\n");  // while the pages go out
    EXPECT_EQ(rig.count("ATA"), 1);
    rig.printer.finish();
    EXPECT_EQ(rig.dialogs.busy, (std::vector<bool>{true, false}));
    EXPECT_TRUE(rig.view.visible());

    rig.printer.missing = "There is no default printer.";
    rig.choose(MainMenuItem::ShowLog);
    press(CallLogButton::Print);
    rig.printer.finish();
    EXPECT_EQ(rig.dialogs.busy.back(), false);
    EXPECT_FALSE(rig.view.visible());
}

// A new installation: the defaults are offered for saving, and nothing is written until a Save.
TEST_F(WindowsTest, ThePreferencesListShowsNumbersInTheirDisplayFormAddKeepsDigitsOnlyAndAFailedSaveSaysSo) {
    rig.block_list({{"JANE", "12345678901234567890"}});
    rig.choose(MainMenuItem::Preferences);
    EXPECT_TRUE(prefs_view.save_enabled);
    EXPECT_TRUE(rig.registry.writes.empty());
    rig.files.fail_replace = rig.registry.read_only = true;
    press(PreferencesButton::Save);
    EXPECT_EQ(rig.dialogs.shown[0].text, "The options could not be saved in the registry (registry error 5).");
    EXPECT_NE(rig.dialogs.shown[1].text.find("block list was not saved (There is not enough space"), std::string::npos);
    EXPECT_TRUE(prefs_view.save_enabled);
    rig.dialogs.answers = {MessageAnswer::Yes};
    press(PreferencesButton::Exit);  // still unsaved: asked, and the failed save keeps the window open
    EXPECT_TRUE(prefs_view.created);
    rig.files.fail_replace = rig.registry.read_only = false;

    rig.dialogs.typed = {"acme corp", "(555) 123-4567", std::nullopt, "555-1234", "", "123456789012345678901234"};
    for (int i = 0; i < 4; ++i) press(PreferencesButton::Add);  // the last, both boxes cancelled, adds nothing
    EXPECT_EQ(prefs_view.lines,
              (std::vector<std::string>{
                  kSpaces20 + "12345678901234567890", kSpaces20 + "5551234" + std::string(13, ' '),
                  "ACME CORP           5551234567          ", "JANE                 12345678901234567890"}));
    press(PreferencesButton::Save);
    EXPECT_EQ(blocked()[1], (BlockEntry{"", "5551234"}));
    EXPECT_EQ(prefs_view.lines[1], kSpaces20 + " 555-1234" + std::string(12, ' '));
    press(PreferencesButton::Save);  // the numbers as the list now shows them
    EXPECT_EQ(blocked()[2], (BlockEntry{"ACME CORP", "555-123-4567"}));
}

TEST_F(WindowsTest, SaveWritesTheOptionsInOrderThenTheListAndRemoveAndExitAskAboutEveryChangeTheKeyboardsToo) {
    rig.block_list({{"ANN", "1"}, {"BOB", "2"}});
    for (const char* name : {"Startup Flag", "BlockAnonNum", "BlockAnonName"})
        rig.registry.put_text(kSettingsKey, name, "True");
    rig.registry.put_text(test::FakeRegistry::named(RegistryRoot::CurrentUser, kRunKey), kAutostartValue, "old");
    rig.choose(MainMenuItem::Preferences);
    prefs_view.selection = 1;
    press(PreferencesButton::Remove);  // answered No
    EXPECT_EQ(rig.dialogs.shown.at(0).modality, Modality::PreferencesWindow);
    EXPECT_FALSE(prefs_view.save_enabled);
    rig.dialogs.answers = {MessageAnswer::Yes};
    press(PreferencesButton::Remove);
    prefs_view.toggle(kStartupCheck);
    press(PreferencesButton::Save);
    EXPECT_EQ(rig.registry.writes,  // the Run entry that was there; the user's own was not
              (std::vector<std::string>{"Startup Flag", "-Vantelmoor", "BlockAnonNum", "BlockAnonName"}));
    EXPECT_EQ(blocked(), (std::vector<BlockEntry>{{"ANN", "1"}}));
    EXPECT_FALSE(prefs_view.save_enabled);
    press(PreferencesButton::Exit);  // nothing unsaved: no question
    EXPECT_FALSE(prefs_view.created);
    EXPECT_TRUE(rig.view.visible());

    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::No, MessageAnswer::Yes}) {
        rig.choose(MainMenuItem::Preferences);
        prefs_view.toggle(kUnknownCheck);  // from the keyboard as from the mouse
        rig.dialogs.answers = {answer};
        press(PreferencesButton::Exit);
        EXPECT_EQ(prefs_view.created, answer == MessageAnswer::Cancel);
        if (answer == MessageAnswer::Cancel) press(PreferencesButton::Exit);  // No the second time
    }
    ASSERT_EQ(rig.dialogs.shown.size(), 6u);
    EXPECT_EQ(rig.dialogs.shown[5].modality, Modality::PreferencesWindow);
    EXPECT_EQ(rig.registry.text(kSettingsKey, "BlockAnonName"), "False");
    EXPECT_FALSE(prefs_view.events->query_unload(CloseReason::User));
}

// Only setup changes whether an installed copy starts with Windows, for every user: shown, greyed, never written.
TEST(InstalledPreferencesTest, StartWithWindowsIsGreyedShowsSetupsRunValueAndSaveWritesNoRunValue) {
    ProgramRig rig(nullptr, true);
    rig.screen();
    for (const bool set_up : {false, true}) {
        if (set_up) rig.registry.put_text(kRunKey, kAutostartValue, "as setup wrote it");
        rig.registry.writes.clear();
        rig.choose(MainMenuItem::Preferences);
        EXPECT_EQ(rig.preferences_view.checks[kStartupCheck], set_up);
        EXPECT_FALSE(rig.preferences_view.check_enabled[kStartupCheck]);
        rig.preferences_view.events->button_click(PreferencesButton::Save);
        EXPECT_EQ(rig.registry.writes, (std::vector<std::string>{"BlockAnonNum", "BlockAnonName"}));
        rig.preferences_view.events->button_click(PreferencesButton::Exit);
    }
}

}  // namespace
}  // namespace vantelmoor

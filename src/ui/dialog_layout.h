#pragma once
// The controls of the call-log, preferences and screening rules windows: names, texts and
// positions in twips. The
// Win32 windows create their controls from these tables, and the UI probe finds them by the same
// names.

#include <span>
#include <string_view>

namespace vantelmoor {

enum class DialogControlKind { Label, ListBox, ListView, Button, CheckBox, Line };

struct DialogControl {
    int id;                 // the Win32 control ID; no two windows of the program share one
    std::string_view name;  // as the program calls it: "List1", "Command1(2)"
    DialogControlKind kind;
    std::string_view text;
    int left, top, width, height;  // twips within the client area; a Line's height is 0
    bool enabled = true;
};

struct DialogLayout {
    std::string_view caption;
    std::string_view window_class;
    int client_width, client_height;          // twips
    int left, top;                            // twips from the screen's corner; negative: centred
    int list_centipoints;                     // the list's Courier New, in hundredths of a point
    int default_button;                       // Enter and Esc press it
    std::span<const DialogControl> controls;  // in creation order, which is the tab order
};

// frmCallLog: the list of calls and its four buttons, Command1(0) to Command1(3).
inline constexpr int kCallLogList = 401;
inline constexpr int kCallLogButtons = 410;  // + the button's index
const DialogLayout& call_log_layout();

// frmPreferences: three check boxes, Check1(0) to Check1(2), the list, and four buttons.
inline constexpr int kPreferencesChecks = 500;  // + the check box's index
inline constexpr int kPreferencesList = 511;
inline constexpr int kPreferencesButtons = 520;  // + the button's index
const DialogLayout& preferences_layout();

// "Screening Rules": the block list (List1) with its buttons Command1(0) to Command1(4), the
// never-block list (List2) with Command2(0) to Command2(4), the notification option Check1, and
// Save and Exit, Command3(0) and Command3(1).
inline constexpr int kRulesLists = 600;    // + the list: 0 block, 1 never-block
inline constexpr int kRulesButtons = 610;  // + 10 for the never-block list, + the button's index
inline constexpr int kRulesNotify = 630;
inline constexpr int kRulesSave = 640;
inline constexpr int kRulesExit = 641;
const DialogLayout& rules_layout();

}  // namespace vantelmoor

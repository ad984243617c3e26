#include "ui/dialog_layout.h"

#include <array>

namespace vantelmoor {
namespace {

using enum DialogControlKind;

constexpr std::array<DialogControl, 7> kCallLogControls{{
    {402, "Label1", Label,
     " DATE     TIME                   NAME                                        NUMBER                           "
     "BLOCKED",
     120, 240, 6855, 255},
    {kCallLogList, "List1", ListBox, "", 120, 480, 6855, 3885},
    {403, "Line1", Line, "", 120, 4560, 6840, 0},
    {kCallLogButtons + 1, "Command1(1)", Button, "&Close Log", 120, 4800, 1515, 375},
    {kCallLogButtons + 3, "Command1(3)", Button, "&Print", 1920, 4800, 1515, 375, false},
    {kCallLogButtons + 2, "Command1(2)", Button, "&Block this Number", 3720, 4800, 1515, 375, false},
    {kCallLogButtons + 0, "Command1(0)", Button, "Clear &List", 5520, 4800, 1515, 375, false},
}};

// The window was 7215 by 5790 twips outside; its client area is that less a frame at 96 DPI, so
// that the frame can follow the DPI and the client area the layout.
constexpr DialogLayout kCallLog{"Call Log",          "frmCallLog",    7095, 5325, 6625, 2560, 900,
                                kCallLogButtons + 1, kCallLogControls};

// Tab order: Remove, Add, Exit, Save, the check boxes by index, the list.
constexpr std::array<DialogControl, 10> kPreferencesControls{{
    {kPreferencesButtons + 3, "Command1(3)", Button, "&Remove", 4560, 1680, 855, 375},
    {kPreferencesButtons + 2, "Command1(2)", Button, "&Add", 4560, 2160, 855, 375},
    {kPreferencesButtons + 1, "Command1(1)", Button, "&Exit", 120, 2880, 855, 375},
    {kPreferencesButtons + 0, "Command1(0)", Button, "&Save", 4560, 2880, 855, 375, false},
    {kPreferencesChecks + 0, "Check1(0)", CheckBox, "Run Mornavelle in the background each time &Windows starts", 120,
     240, 5175, 255},
    {kPreferencesChecks + 1, "Check1(1)", CheckBox, "Block \"&Private\" Names/Numbers", 120, 600, 4935, 255},
    {kPreferencesChecks + 2, "Check1(2)", CheckBox, "Block \"&Unknown\" Names/Numbers", 120, 960, 4935, 255},
    {510, "Label1", Label, "My personal list of names/numbers to block:", 120, 1440, 4455, 255},
    {kPreferencesList, "List1", ListBox, "", 120, 1680, 4335, 900},
    {512, "Line1", Line, "", 120, 2760, 5280, 0},
}};

// 5640 by 3870 twips outside, less the frame of a dialog at 96 DPI.
constexpr DialogLayout kPreferences{"Vantelmoor Preferences", "frmPreferences",    5520, 3405, -1, -1, 825,
                                    kPreferencesButtons + 1,  kPreferencesControls};

constexpr std::array<DialogControl, 18> kRulesControls{{
    {602, "Label1", Label, "Block these callers (* stands for any characters, ? for one):", 120, 120, 9120, 255},
    {kRulesLists + 0, "List1", ListView, "", 120, 360, 9120, 2640},
    {kRulesButtons + 0, "Command1(0)", Button, "&Add...", 120, 3120, 1215, 375},
    {kRulesButtons + 1, "Command1(1)", Button, "&Edit...", 1440, 3120, 1215, 375},
    {kRulesButtons + 2, "Command1(2)", Button, "&Remove", 2760, 3120, 1215, 375},
    {kRulesButtons + 3, "Command1(3)", Button, "&Import...", 4080, 3120, 1215, 375},
    {kRulesButtons + 4, "Command1(4)", Button, "Expor&t...", 5400, 3120, 1215, 375},
    {603, "Label2", Label, "Never block these callers, whatever else says so:", 120, 3720, 9120, 255},
    {kRulesLists + 1, "List2", ListView, "", 120, 3960, 9120, 2160},
    {kRulesButtons + 10, "Command2(0)", Button, "A&dd...", 120, 6240, 1215, 375},
    {kRulesButtons + 11, "Command2(1)", Button, "Ed&it...", 1440, 6240, 1215, 375},
    {kRulesButtons + 12, "Command2(2)", Button, "Re&move", 2760, 6240, 1215, 375},
    {kRulesButtons + 13, "Command2(3)", Button, "Im&port...", 4080, 6240, 1215, 375},
    {kRulesButtons + 14, "Command2(4)", Button, "Exp&ort...", 5400, 6240, 1215, 375},
    {kRulesNotify, "Check1", CheckBox, "Show a notification for each &call", 120, 6840, 6015, 255},
    {604, "Line1", Line, "", 120, 7320, 9120, 0},
    {kRulesSave, "Command3(0)", Button, "&Save", 6840, 7500, 1095, 375, false},
    {kRulesExit, "Command3(1)", Button, "E&xit", 8160, 7500, 1095, 375},
}};

constexpr DialogLayout kRules{"Screening Rules", "frmRules", 9360, 8040, -1, -1, 825, kRulesExit, kRulesControls};

}  // namespace

const DialogLayout& rules_layout() { return kRules; }

const DialogLayout& call_log_layout() { return kCallLog; }

const DialogLayout& preferences_layout() { return kPreferences; }

}  // namespace vantelmoor

#include "ui/main_window_layout.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace vantelmoor {
namespace {

using enum ControlKind;
using enum TextAlign;
using enum FontStyle;

constexpr std::array<ControlLayout, 26> kControls{{
    // Buttons first: they sit above the labels that overlap them, and "&Hide" leads the tab order.
    {Control::Connect1, "Connect(1)", Button, "&Hide", 120, 6600, 975, 615},
    {Control::Connect0, "Connect(0)", Button, "&Listen for Calls", 120, 5880, 975, 615},
    {Control::Connect2, "Connect(2)", Button, "&Block Future Calls", 3960, 6600, 975, 615, Left, Default,
     kDefaultColour, kDefaultColour, false},
    {Control::txtStatus, "txtStatus", LogBox, "", 120, 960, 4815, 4095, Left, Fixed, kWhite, kNavy},
    {Control::txtName, "txtName", TextBox, "", 2880, 5760, 2055, 375, Left, Default, kDefaultColour, kLightYellow},
    {Control::txtNumber, "txtNumber", TextBox, "", 2880, 6120, 2055, 375, Left, Default, kDefaultColour, kLightYellow},
    {Control::txtTime, "txtTime", TextBox, "", 2880, 6480, 975, 375, Left, Default, kDefaultColour, kLightYellow},
    {Control::txtDate, "txtDate", TextBox, "", 2880, 6840, 975, 375, Left, Default, kDefaultColour, kLightYellow},
    {Control::Label1_0, "Label1(0)", Label, "Status:", 120, 240, 615, 255},
    {Control::lblStatus0, "lblStatus(0)", Label, "Initializing", 720, 240, 1935, 255, Centre, Bold, kRed, kBlack},
    {Control::lblStatus1, "lblStatus(1)", Label, "No New Calls", 3240, 240, 1335, 255, Centre, Bold, kYellow, kBlack},
    {Control::Label2_0, "Label2(0)", Link, "Modem Activity Log:", 120, 720, 2415, 255},
    {Control::Label2_1, "Label2(1)", Link, kWebAddress, 120, 5040, 4815, 255, Centre, Default, kLinkBlue},
    {Control::Label1_2, "Label1(2)", Label, "Total Blocked to Date:", 120, 5400, 1815, 255},
    {Control::Label1_4, "Label1(4)", Label, "0", 1680, 5400, 615, 255, Centre},
    {Control::Label6_1, "Label6(1)", Label, "Most Recent Call:", 2880, 5400, 1815, 255},
    {Control::Label6_0, "Label6(0)", Label, "Name:", 600, 5760, 2175, 255, Right},
    {Control::Label5, "Label5", Label, "Number:", 600, 6120, 2175, 255, Right},
    {Control::Label3, "Label3", Label, "Call Time:", 600, 6480, 2175, 255, Right},
    {Control::Label4, "Label4", Label, "Date:", 600, 6840, 2175, 255, Right},
    {Control::Shape1_0, "Shape1(0)", Shape, "", 2880, 240, 255, 255, Left, Default, kBlack, kGreen},
    {Control::Shape1_1, "Shape1(1)", Shape, "", 4680, 240, 255, 255, Left, Default, kBlack, kGreen},
    {Control::Line1_0, "Line1(0)", Line, "", 120, 120, 4800, 0},
    {Control::Line1_1, "Line1(1)", Line, "", 120, 600, 4800, 0},
    {Control::Line1_2, "Line1(2)", Line, "", 120, 5280, 4800, 0},
    {Control::Line1_3, "Line1(3)", Line, "", 120, 5640, 4800, 0},
}};

constexpr std::array<MenuEntry, 12> kMenu{{
    {MainMenuItem::ShowLog, "mnuShowLog", "View &Call Log", ""},
    {MainMenuItem::ExportLog, "mnuExportLog", "&Export Call Log...", ""},
    {MainMenuItem::Preferences, "mnuPreferences", "&Preferences", ""},
    {MainMenuItem::Rules, "mnuRules", "Screening &Rules...", ""},
    {std::nullopt, "", "", ""},
    {MainMenuItem::Hide, "mnuCLose", "H&ide", "F12"},
    {std::nullopt, "", "", ""},
    {MainMenuItem::Help, "mnuHelp", "&Help", "F1"},
    {MainMenuItem::Version, "mnuVersion", "&Version", ""},
    {std::nullopt, "", "", ""},
    {MainMenuItem::Pause, "mnuPause", "P&ause Monitoring", ""},
    {MainMenuItem::Quit, "mnuQuit", "&Quit Vantelmoor", ""},
}};

}  // namespace

std::span<const ControlLayout> main_window_controls() { return kControls; }

std::span<const MenuEntry> main_menu() { return kMenu; }

const ControlLayout& control_layout(Control id) {
    const auto it = std::ranges::find(kControls, id, &ControlLayout::id);
    if (it == kControls.end()) throw std::out_of_range("unknown control");
    return *it;
}

std::optional<Control> find_control(std::string_view name) {
    const auto it = std::ranges::find(kControls, name, &ControlLayout::name);
    if (it == kControls.end()) return std::nullopt;
    return it->id;
}

int twips_to_pixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

}  // namespace vantelmoor

#pragma once
// The controls of the monitor window frmCallerID: names, design-time texts, positions in twips,
// fonts and colours. The Win32 window creates its controls from this table, and the UI probe of
// the end-to-end tests finds them by the same names.

#include <optional>
#include <span>
#include <string_view>

#include "platform/product.h"
#include "ui/colours.h"

namespace vantelmoor {

// Control identifiers double as the Win32 control IDs.
enum class Control : int {
    Connect1 = 101,  // "&Hide": first in the tab order
    Connect0,        // the listen/pause toggle
    Connect2,        // "&Block Future Calls": the caller shown goes on the block list
    txtStatus,       // the modem activity log
    txtName,         // the most recent call's name, number, time and date
    txtNumber,
    txtTime,
    txtDate,
    Label1_0,    // "Status:"
    lblStatus0,  // the status word: "Waiting for Call", "Flushing Call", ...
    lblStatus1,  // the new-calls figure, or the blocked call's countdown
    Label2_0,    // "Modem Activity Log:"; both Label2 open the web site when clicked
    Label2_1,    // the web site's address
    Label1_2,    // "Total Blocked to Date:"
    Label1_4,    // the "Total Blocked" figure
    Label6_1,    // "Most Recent Call:"
    Label6_0,    // the captions of the four caller fields
    Label5,
    Label3,
    Label4,
    Shape1_0,  // the two status lights
    Shape1_1,
    Line1_0,  // the etched dividers
    Line1_1,
    Line1_2,
    Line1_3,
};

// A Link is a label that opens the product's web site when clicked.
enum class ControlKind { Button, TextBox, LogBox, Label, Link, Shape, Line };
enum class TextAlign { Left, Centre, Right };
enum class FontStyle { Default, Bold, Fixed };

struct ControlLayout {
    Control id;
    std::string_view name;  // as the program and its tests call it: "lblStatus(0)", "txtName"
    ControlKind kind;
    std::string_view text;
    int left, top, width, height;  // twips within the client area
    TextAlign align = TextAlign::Left;
    FontStyle font = FontStyle::Default;
    Colour fore = kDefaultColour;
    Colour back = kDefaultColour;  // for shapes: the fill colour
    bool enabled = true;
};

inline constexpr std::string_view kMainWindowCaption = "Vantelmoor";
inline constexpr int kMainClientWidth = 5055;   // twips
inline constexpr int kMainClientHeight = 7335;  // twips
inline constexpr int kMainLeft = 1500;          // twips from the screen's corner
inline constexpr int kMainTop = 1500;

// The menu "&Actions" (mnuMenu). Item identifiers double as the Win32 command IDs.
enum class MainMenuItem : int { ShowLog = 201, Preferences, Hide, Help, Version, Pause, Quit, Rules, ExportLog };

struct MenuEntry {
    std::optional<MainMenuItem> item;  // none: a separator
    std::string_view name;             // as the program calls it: "mnuPause"
    std::string_view caption;
    std::string_view shortcut;  // shown after the caption
};

inline constexpr std::string_view kMainMenuCaption = "&Actions";

// Every control in creation order, which is also the tab order.
std::span<const ControlLayout> main_window_controls();
std::span<const MenuEntry> main_menu();
const ControlLayout& control_layout(Control id);
std::optional<Control> find_control(std::string_view name);

// Twips to pixels at the given dots per inch (1440 twips an inch), rounded to nearest.
int twips_to_pixels(int twips, int dpi);

}  // namespace vantelmoor

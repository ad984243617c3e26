#include "store/caller_id_command.h"

#include <array>
#include <vector>

#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

constexpr std::size_t kMostSettings = 3;

// Each setting: its name, then "=n" or, for *ID, the digit alone.
struct Setting {
    std::string_view name;
    bool equals;
};

constexpr std::array<Setting, 7> kSettings{{
    {"+VCID", true},
    {"#VCID", true},
    {"#CID", true},
    {"%CCID", true},
    {"*ID", false},
    {"+CLIP", true},
    {"-SCID", true},
}};

// The setting an item names, when the item is exactly that setting with a value from 0 to 2.
const Setting* setting_of(std::string_view item) {
    for (const Setting& setting : kSettings) {
        const std::size_t value_at = setting.name.size() + (setting.equals ? 1 : 0);
        if (item.size() != value_at + 1 || !equals_ignoring_case(item.substr(0, setting.name.size()), setting.name)) {
            continue;
        }
        if (setting.equals && item[setting.name.size()] != '=') continue;
        if (item[value_at] >= '0' && item[value_at] <= '2') return &setting;
    }
    return nullptr;
}

}  // namespace

std::optional<std::string> caller_id_command_fault(std::string_view command) {
    static const std::string kRule =
        "only AT and one to three caller-ID settings (+VCID=1, #VCID=1, #CID=1, %CCID=1, *ID1, +CLIP=1, "
        "-SCID=1) joined by ; are sent";
    if (command.size() < 3 || !equals_ignoring_case(command.substr(0, 2), "AT")) return kRule;
    std::vector<const Setting*> seen;
    std::string_view rest = command.substr(2);
    for (;;) {
        const std::size_t end = rest.find(';');
        const Setting* setting = setting_of(rest.substr(0, end));
        if (!setting) return kRule;
        for (const Setting* earlier : seen) {
            if (earlier == setting) return "it sets " + std::string(setting->name) + " twice";
        }
        seen.push_back(setting);
        if (seen.size() > kMostSettings) return "it holds more than three settings";
        if (end == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(end + 1);
    }
}

}  // namespace vantelmoor

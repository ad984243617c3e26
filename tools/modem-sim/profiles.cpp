#include "profiles.h"

#include <array>

namespace modem_sim {

namespace {

// The first entry is the default. A new kind of modem is one more line here.
constexpr std::array kProfiles = {
    Profile{"standard", "AT+VCID and AT#VCID accepted, RING then NMBR=... report", true, true, "=", "RING", false},
    Profile{"spaced", "as standard, report fields read \"NMBR = ...\"", true, true, " = ", "RING", false},
    Profile{"plus-error", "AT+VCID answers ERROR, AT#VCID accepted", false, true, "=", "RING", false},
    Profile{"no-callerid", "both caller-ID commands answer ERROR", false, false, "=", "RING", false},
    Profile{"report-first", "report sent before the first RING (UK lines)", true, true, "=", "RING", true},
    Profile{"distinctive", "rings read \"RING A\"", true, true, "=", "RING A", false},
};

}  // namespace

std::span<const Profile> profiles() { return kProfiles; }

const Profile* find_profile(std::string_view name) {
    for (const Profile& profile : kProfiles) {
        if (profile.name == name) {
            return &profile;
        }
    }
    return nullptr;
}

std::string profile_names() {
    std::string names;
    for (const Profile& profile : kProfiles) {
        names += names.empty() ? "" : ", ";
        names += profile.name;
    }
    return names;
}

}  // namespace modem_sim

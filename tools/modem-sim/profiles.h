#pragma once

#include <span>
#include <string>
#include <string_view>

namespace modem_sim {

// How one kind of modem behaves: which caller-ID commands it takes and how it words a call.
struct Profile {
    std::string_view name;
    std::string_view summary;
    bool accepts_plus_vcid;      // AT+VCID=n
    bool accepts_hash_vcid;      // AT#VCID=n
    std::string_view separator;  // between a report field's tag and its value
    std::string_view ring;       // the ring result line
    bool report_first;           // report before the first ring (UK style) instead of after it
};

std::span<const Profile> profiles();

// nullptr when no profile has that name.
const Profile* find_profile(std::string_view name);

// "standard, spaced, ..." for help and error messages.
std::string profile_names();

}  // namespace modem_sim

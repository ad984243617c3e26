#pragma once

#include "calls.h"
#include "profiles.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace modem_sim {

struct Options {
    const Profile* profile = &profiles().front();
    bool echo = true;
    std::string log_path;   // empty: no byte log
    std::string link_path;  // empty: no symlink
    bool quiet = false;
    bool stay = false;  // keep running after stdin closes
    CallTiming timing;
    bool help = false;
};

// On a bad command line returns nothing and says why in `error`.
std::optional<Options> parse_options(std::span<const std::string_view> args, std::string& error);

std::string usage();

}  // namespace modem_sim

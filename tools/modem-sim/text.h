#pragma once

#include <string_view>

namespace modem_sim {

// Strips spaces and tabs from both ends of a console argument.
inline std::string_view trim(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

}  // namespace modem_sim

#include "monitor/phone_number.h"

#include "store/fixed_text.h"

namespace vantelmoor {

std::string display_number(std::string_view number) {
    if (number.empty() || number[0] < '0' || number[0] > '9') return std::string(number);
    // The length is judged trimmed, the pieces are taken from the text as it stands.
    const std::size_t length = trim(number).size();
    std::string shown(number);
    if (length == 10 && number.size() >= 6) {
        return shown.substr(0, 3) + "-" + shown.substr(3, 3) + "-" + shown.substr(shown.size() - 4);
    }
    if (length == 7 && number.size() >= 4) return shown.substr(0, 3) + "-" + shown.substr(shown.size() - 4);
    return shown;
}

std::string log_number(std::string_view number) {
    const std::string_view trimmed = trim(number);
    if (trimmed.size() == 7 && trimmed[0] >= '0' && trimmed[0] <= '9') return "    " + display_number(trimmed);
    return display_number(trimmed);
}

}  // namespace vantelmoor

#include "store/fixed_text.h"

#include <algorithm>

namespace vantelmoor {
namespace {

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string fixed_width(std::string_view text, std::size_t width) {
    std::string field(text.substr(0, std::min(text.size(), width)));
    field.resize(width, ' ');
    return field;
}

bool equals_ignoring_case(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return ascii_lower(x) == ascii_lower(y); });
}

}  // namespace vantelmoor

#include "monitor/date_time_text.h"

#include <array>
#include <cstdio>

namespace vantelmoor {
namespace {

// Two decimal digits at text[pos], or nullopt.
std::optional<int> two_digits(std::string_view text, std::size_t pos) {
    if (pos + 2 > text.size()) return std::nullopt;
    const char a = text[pos];
    const char b = text[pos + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return std::nullopt;
    return (a - '0') * 10 + (b - '0');
}

std::optional<std::pair<int, int>> split_pair(std::string_view built, char separator) {
    if (built.size() != 5 || built[2] != separator) return std::nullopt;
    const auto first = two_digits(built, 0);
    const auto second = two_digits(built, 3);
    if (!first || !second) return std::nullopt;
    return std::pair{*first, *second};
}

std::string two_digit_text(int a, char separator, int b) {
    std::array<char, 8> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%02d%c%02d", a, separator, b);
    return buffer.data();
}

}  // namespace

std::optional<std::string> format_call_date(std::string_view built) {
    static constexpr std::array<int, 13> kDaysInMonth{0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const auto parts = split_pair(built, '/');
    if (!parts) return std::nullopt;
    const auto [month, day] = *parts;
    if (month < 1 || month > 12 || day < 1 || day > kDaysInMonth[static_cast<std::size_t>(month)]) {
        return std::nullopt;
    }
    return two_digit_text(month, '/', day);
}

std::optional<std::string> format_call_time(std::string_view built) {
    const auto parts = split_pair(built, ':');
    if (!parts) return std::nullopt;
    const auto [hour, minute] = *parts;
    if (hour > 23 || minute > 59) return std::nullopt;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return two_digit_text(hour12, ':', minute) + (hour < 12 ? " AM" : " PM");
}

}  // namespace vantelmoor

#include "store/caller_pattern.h"

#include <algorithm>

#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

constexpr std::size_t kFieldWidth = 20;
constexpr std::size_t kLongestNumber = 15;  // digits in the longest telephone number there is

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_separator(char c) { return c == ' ' || c == '-' || c == '(' || c == ')' || c == '.' || c == '+'; }

char folded(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// * is any run of characters, ? exactly one; `same` compares two characters.
template <typename Same>
bool glob(std::string_view pattern, std::string_view text, Same same) {
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t star = std::string_view::npos;  // the last * seen, and where in the text it began
    std::size_t star_text = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            star_text = t;
        } else if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], text[t]))) {
            ++p;
            ++t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++star_text;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

// A leading country digit 1 before a ten-digit number, in a number or a pattern of one: followed by
// ten more characters, or by at least three before a *.
bool country_digit_first(std::string_view digits) {
    if (digits.size() < 2 || digits[0] != '1') return false;
    const std::string_view rest = digits.substr(1);
    const std::size_t star = rest.find('*');
    return star == std::string_view::npos ? rest.size() == 10 : star >= 3;
}

// The digits of a caller's number (and ? and * of a pattern), separators and a country digit left out.
std::string number_digits(std::string_view field, bool pattern) {
    std::string digits;
    for (const char c : field) {
        if (is_digit(c) || (pattern && (c == '*' || c == '?'))) digits += c;
    }
    return country_digit_first(digits) ? digits.substr(1) : digits;
}

// The decimal digits of `text`, in order, are exactly `number` (so 555-123-4567 covers 5551234567).
bool digits_equal(std::string_view text, std::string_view number) {
    std::size_t matched = 0;
    for (const char c : text) {
        if (!is_digit(c)) continue;
        if (matched == number.size() || number[matched] != c) return false;
        ++matched;
    }
    return matched == number.size();
}

}  // namespace

bool is_pattern(std::string_view field) { return field.find_first_of("*?") != std::string_view::npos; }

bool name_covers(std::string_view listed, std::string_view caller) {
    listed = trim(listed);
    caller = trim(caller);
    if (listed.empty() || caller.empty()) return false;
    if (!is_pattern(listed)) return equals_ignoring_case(listed, caller);
    return glob(listed, caller, [](char a, char b) { return folded(a) == folded(b); });
}

bool number_covers(std::string_view listed, std::string_view caller) {
    listed = trim(listed);
    caller = trim(caller);
    if (listed.empty() || caller.empty()) return false;
    if (!is_pattern(listed)) return digits_equal(listed, caller) || listed == caller;
    const std::string digits = number_digits(caller, false);
    return !digits.empty() && glob(number_digits(listed, true), digits, [](char a, char b) { return a == b; });
}

std::optional<std::string> entry_fault(std::string_view name, std::string_view number) {
    name = trim(name);
    number = trim(number);
    if (name.empty() && number.empty()) return "An entry needs a name, a number or both.";
    if (name.size() > kFieldWidth || number.size() > kFieldWidth) {
        return "A name or a number holds at most 20 characters.";
    }
    if (!is_pattern(number)) return std::nullopt;
    const bool only_number_characters =
        std::ranges::all_of(number, [](char c) { return is_digit(c) || is_separator(c) || c == '*' || c == '?'; });
    if (!only_number_characters) {
        return "A number with * or ? is compared on its digits alone, so it may hold only digits, * and ? (and "
               "spaces, dashes, brackets and dots): as it is, it would never match.";
    }
    const std::string digits = number_digits(number, true);
    if (std::ranges::count_if(digits, [](char c) { return c != '*'; }) > static_cast<long>(kLongestNumber)) {
        return "No telephone number has that many digits: it would never match.";
    }
    return std::nullopt;
}

}  // namespace vantelmoor

#include "monitor/caller_id_parser.h"

#include <array>
#include <optional>
#include <string>

#include "monitor/date_time_text.h"
#include "monitor/phone_number.h"

namespace vantelmoor {
namespace {

constexpr std::string_view kUnknown = "UNKNOWN";

enum class LineKind { Ring, Date, Time, DateAndTime, Name, Message, Number };

struct Keyword {
    std::string_view text;
    LineKind kind;
};

// Longest first, so that "DATE TIME" is not read as "DATE" and "DDN_NMBR" not as "DDN". Besides
// the usual labels: the number as DDN_NMBR, DDN or NBR, the date and time on one line, as modems
// in France print them, and "CID RING".
constexpr std::array<Keyword, 11> kKeywords{{
    {"DATE TIME", LineKind::DateAndTime},
    {"DDN_NMBR", LineKind::Number},
    {"CID RING", LineKind::Ring},
    {"RING", LineKind::Ring},
    {"DATE", LineKind::Date},
    {"TIME", LineKind::Time},
    {"NAME", LineKind::Name},
    {"MESG", LineKind::Message},
    {"NMBR", LineKind::Number},
    {"DDN", LineKind::Number},
    {"NBR", LineKind::Number},
}};

bool is_word_character(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The value follows the keyword after any spaces, one equals sign and any spaces, so that
// "NMBR=5551234567" and "NMBR = 5551234567" say the same. A line with no equals sign gives up
// one separator after its keyword.
std::string_view value_after(std::string_view rest) {
    std::size_t pos = rest.find_first_not_of(' ');
    if (pos != std::string_view::npos && rest[pos] == '=') {
        pos = rest.find_first_not_of(' ', pos + 1);
        return pos == std::string_view::npos ? std::string_view{} : rest.substr(pos);
    }
    return rest.size() > 1 ? rest.substr(1) : std::string_view{};
}

struct KeywordLine {
    LineKind kind;
    std::string_view value;
    std::string_view line;  // from the keyword on
};

std::optional<KeywordLine> split(std::string_view line) {
    const std::size_t start = line.find_first_not_of("\n\r ");
    if (start == std::string_view::npos) return std::nullopt;
    line.remove_prefix(start);
    for (const Keyword& keyword : kKeywords) {
        if (!line.starts_with(keyword.text)) continue;
        const std::string_view rest = line.substr(keyword.text.size());
        if (!rest.empty() && is_word_character(rest.front())) continue;
        return KeywordLine{keyword.kind, value_after(rest), line};
    }
    return std::nullopt;  // the modem's OK, the echo of a command, anything else
}

// The last four characters of a text.
std::string_view last_four(std::string_view text) { return text.size() >= 4 ? text.substr(text.size() - 4) : text; }

// "ab" + separator + "cd" from four characters.
std::string split_pair(std::string_view four, char separator) {
    std::string built(four.substr(0, 2));
    built += separator;
    built += four.size() >= 2 ? four.substr(four.size() - 2) : four;
    return built;
}

std::string digits_of(std::string_view text) {
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9') digits += c;
    }
    return digits;
}

}  // namespace

CallerIdParser::CallerIdParser(MonitorListener& listener, CallRecord& record, CallLineEvents events)
    : listener_(listener), record_(record), events_(std::move(events)) {}

void CallerIdParser::parse_line(std::string_view line) {
    const auto parsed = split(line);
    if (!parsed) return;
    if (parsed->kind == LineKind::Ring) {
        record_.name_seen = false;
        record_.number_seen = false;
        fire(events_.ring);
        return;
    }
    if (events_.caller_id_line) events_.caller_id_line(parsed->kind == LineKind::Number);
    switch (parsed->kind) {
        case LineKind::Date: on_date(last_four(parsed->line)); break;
        case LineKind::Time: on_time(last_four(parsed->line)); break;
        case LineKind::DateAndTime: on_date_and_time(parsed->value); break;
        case LineKind::Name: on_name(parsed->value); break;
        case LineKind::Message: on_message(parsed->value); break;
        case LineKind::Number: on_number(parsed->value); break;
        case LineKind::Ring: break;
    }
}

void CallerIdParser::on_date(std::string_view four_digits) {
    const std::string built = split_pair(four_digits, '/');
    show(CallerField::Date, built);
    if (const auto date = format_call_date(built)) record_.call_date = *date;
}

void CallerIdParser::on_time(std::string_view four_digits) {
    const std::string built = split_pair(four_digits, ':');
    show(CallerField::Time, built);
    if (const auto time = format_call_time(built)) {
        record_.call_time = *time;
        show(CallerField::Time, record_.call_time);
    }
}

// "11/24 22:10": month and day, then the time on the 24-hour clock.
void CallerIdParser::on_date_and_time(std::string_view value) {
    const std::size_t space = value.find(' ');
    on_date(last_four(digits_of(value.substr(0, space))));
    if (space != std::string_view::npos) on_time(last_four(digits_of(value.substr(space + 1))));
}

void CallerIdParser::on_name(std::string_view value) {
    if (!value.empty()) {
        listener_.status_changed(MonitorStatus::AnalyzingCall);
        record_.caller_name = std::string(value);
        show(CallerField::Name, record_.caller_name);
        record_.name_seen = true;
    }
    fire(events_.name_reported);
}

void CallerIdParser::set_unknown_name() {
    record_.name_seen = true;
    record_.caller_name = std::string(kUnknown);
    show(CallerField::Name, record_.caller_name);
}

void CallerIdParser::on_message(std::string_view value) {
    if (value.size() > 14) {
        // The second hex digit of the third to ninth byte: the digits of a seven-digit number.
        std::string digits;
        for (std::size_t pos = 5; pos < value.size() && pos <= 17; pos += 2) digits += value[pos];
        show(CallerField::Number, digits);
        record_.number_seen = true;
        if (!record_.name_seen) set_unknown_name();
    } else if (value.size() == 6) {
        if (!record_.number_seen) {
            record_.number_seen = true;
            record_.caller_number = std::string(kUnknown);
            show(CallerField::Number, record_.caller_number);
        } else if (!record_.name_seen) {
            set_unknown_name();
        }
    }
}

void CallerIdParser::on_number(std::string_view value) {
    record_.caller_number = std::string(value);
    record_.number_seen = true;
    show(CallerField::Number, display_number(record_.caller_number));
    fire(events_.number_reported);
}

}  // namespace vantelmoor

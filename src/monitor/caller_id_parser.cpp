#include "monitor/caller_id_parser.h"

#include <string>

#include "monitor/date_time_text.h"
#include "monitor/phone_number.h"

namespace vantelmoor {
namespace {

constexpr std::string_view kUnknown = "UNKNOWN";

struct KeywordLine {
    std::string_view keyword;
    std::string_view value;
};

// The value follows the keyword after any spaces, one equals sign and any spaces, so that
// "NMBR=5551234567" and "NMBR = 5551234567" say the same. A line with no equals sign gives up
// its first six characters (line feed, keyword, one separator).
std::string_view value_after(std::string_view line, std::size_t keyword_end) {
    std::size_t pos = line.find_first_not_of(' ', keyword_end);
    if (pos != std::string_view::npos && line[pos] == '=') {
        pos = line.find_first_not_of(' ', pos + 1);
        return pos == std::string_view::npos ? std::string_view{} : line.substr(pos);
    }
    return line.size() > keyword_end + 1 ? line.substr(keyword_end + 1) : std::string_view{};
}

KeywordLine split(std::string_view line) {
    // Some lines label the number DDN_NMBR; it is the same field.
    constexpr std::string_view kDdnNumber = "DDN_NMBR";
    if (line.substr(1, kDdnNumber.size()) == kDdnNumber) {
        return {"NMBR", value_after(line, 1 + kDdnNumber.size())};
    }
    return {line.substr(1, 4), value_after(line, 5)};
}

// The last four characters of the line as "ab" + separator + "cd".
std::string last_four_split(std::string_view line, char separator) {
    const std::string_view four = line.size() >= 4 ? line.substr(line.size() - 4) : line;
    std::string built(four.substr(0, 2));
    built += separator;
    built += line.size() >= 2 ? line.substr(line.size() - 2) : line;
    return built;
}

}  // namespace

CallerIdParser::CallerIdParser(MainView& view, CallRecord& record, CallLineEvents events)
    : view_(view), record_(record), events_(std::move(events)) {}

void CallerIdParser::parse_line(std::string_view line) {
    if (line.size() < 5) return;  // too short to hold a keyword after its line feed
    const auto [keyword, value] = split(line);
    if (keyword == "RING") {
        record_.name_seen = false;
        record_.number_seen = false;
    } else if (keyword == "DATE") {
        on_date(line);
    } else if (keyword == "TIME") {
        on_time(line);
    } else if (keyword == "NAME") {
        on_name(value);
    } else if (keyword == "MESG") {
        on_message(value);
    } else if (keyword == "NMBR") {
        on_number(value);
    }
}

void CallerIdParser::on_date(std::string_view line) {
    const std::string built = last_four_split(line, '/');
    view_.set_text(Control::txtDate, built);
    if (const auto date = format_call_date(built)) record_.call_date = *date;
}

void CallerIdParser::on_time(std::string_view line) {
    const std::string built = last_four_split(line, ':');
    view_.set_text(Control::txtTime, built);
    if (const auto time = format_call_time(built)) {
        record_.call_time = *time;
        view_.set_text(Control::txtTime, record_.call_time);
    }
}

void CallerIdParser::on_name(std::string_view value) {
    if (!value.empty()) {
        view_.set_text(Control::lblStatus0, "Analyzing Call");
        record_.caller_name = std::string(value);
        view_.set_text(Control::txtName, record_.caller_name);
        record_.name_seen = true;
    }
    if (events_.name_reported) events_.name_reported();
}

void CallerIdParser::set_unknown_name() {
    record_.name_seen = true;
    record_.caller_name = std::string(kUnknown);
    view_.set_text(Control::txtName, record_.caller_name);
}

void CallerIdParser::on_message(std::string_view value) {
    if (value.size() > 14) {
        // The second hex digit of the third to ninth byte: the digits of a seven-digit number.
        std::string digits;
        for (std::size_t pos = 5; pos < value.size() && pos <= 17; pos += 2) digits += value[pos];
        view_.set_text(Control::txtNumber, digits);
        record_.number_seen = true;
        if (!record_.name_seen) set_unknown_name();
    } else if (value.size() == 6) {
        if (!record_.number_seen) {
            record_.number_seen = true;
            record_.caller_number = std::string(kUnknown);
            view_.set_text(Control::txtNumber, record_.caller_number);
        } else if (!record_.name_seen) {
            set_unknown_name();
        }
    }
}

void CallerIdParser::on_number(std::string_view value) {
    record_.caller_number = std::string(value);
    record_.number_seen = true;
    view_.set_text(Control::txtNumber, display_number(record_.caller_number));
    if (events_.number_reported) events_.number_reported();
}

}  // namespace vantelmoor

#include "calls.h"

#include "text.h"

#include <algorithm>
#include <array>

namespace modem_sim {

namespace {

constexpr std::array kExamples = {
    ExampleCall{"plain caller", "5551234567", "JOHN DOE"},
    ExampleCall{"private caller", "P", "PRIVATE"},
    ExampleCall{"out-of-area caller", "O", "O"},
    ExampleCall{"number without a name", "5559876543", ""},
    ExampleCall{"7-digit local number", "5550123", "MARY SMITH"},
};

bool is_four_digits(std::string_view text) {
    const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
    return text.size() == 4 && std::all_of(text.begin(), text.end(), is_digit);
}

void add_field(std::string& out, std::string_view tag, std::string_view separator, std::string_view value) {
    out += tag;
    out += separator;
    out += value;
    out += "\r\n";
}

}  // namespace

std::string format_ring(const Profile& profile) { return "\r\n" + std::string(profile.ring) + "\r\n"; }

std::string format_report(const CallerInfo& caller, const Profile& profile) {
    std::string out = "\r\n";
    add_field(out, "DATE", profile.separator, caller.date);
    add_field(out, "TIME", profile.separator, caller.time);
    add_field(out, "NMBR", profile.separator, caller.number);
    if (!caller.name.empty()) {
        add_field(out, "NAME", profile.separator, caller.name);
    }
    return out;
}

std::vector<CallStep> plan_call(const CallerInfo& caller, const Profile& profile, const CallTiming& timing) {
    std::string report_note = "report NMBR=" + caller.number;
    if (!caller.name.empty()) {
        report_note += " NAME=" + caller.name;
    }
    const auto first_ring = profile.report_first ? timing.report_delay : std::chrono::milliseconds{0};
    const auto report_at = profile.report_first ? std::chrono::milliseconds{0} : timing.report_delay;

    std::vector<CallStep> steps;
    for (int ring = 0; ring < timing.rings; ++ring) {
        const auto at = first_ring + ring * timing.ring_interval;
        steps.push_back({at, format_ring(profile), std::string(profile.ring), true});
    }
    // The report in one piece, or line by line; where it is inserted decides ties, should a delay
    // be zero.
    std::vector<CallStep> report;
    const std::string bytes = format_report(caller, profile);
    if (timing.line_delay.count() == 0) {
        report.push_back({report_at, bytes, report_note});
    } else {
        // The first piece carries the line feed that opens the report.
        for (std::size_t start = 0, end = 0; start < bytes.size(); start = end) {
            end = bytes.find("\r\n", start == 0 ? 2 : start) + 2;
            const auto at = report_at + static_cast<int>(report.size()) * timing.line_delay;
            report.push_back({at, bytes.substr(start, end - start), report.empty() ? report_note : "report line"});
        }
    }
    steps.insert(profile.report_first ? steps.begin() : steps.end(), report.begin(), report.end());
    const auto earlier = [](const CallStep& a, const CallStep& b) { return a.at < b.at; };
    std::stable_sort(steps.begin(), steps.end(), earlier);
    return steps;
}

std::optional<CallerInfo> parse_call_args(std::string_view args, std::string& error) {
    CallerInfo caller;
    std::string_view rest = trim(args);
    while (!rest.empty()) {
        const std::string_view token = rest.substr(0, rest.find_first_of(" \t"));
        const std::string_view after = trim(rest.substr(token.size()));
        if (token.starts_with("date=") || token.starts_with("time=")) {
            const std::string_view value = token.substr(5);
            if (!is_four_digits(value)) {
                error = std::string(token.substr(0, 4)) + " needs four digits";
                return std::nullopt;
            }
            (token[0] == 'd' ? caller.date : caller.time) = value;
        } else {
            caller.number = token;
            caller.name = after;
            return caller;
        }
        rest = after;
    }
    error = "call needs a NUMBER";
    return std::nullopt;
}

std::span<const ExampleCall> example_calls() { return kExamples; }

}  // namespace modem_sim

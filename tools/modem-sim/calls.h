#pragma once

#include "profiles.h"

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace modem_sim {

struct CallerInfo {
    std::string number;         // "P" / "O" / "PRIVATE" for withheld or unavailable numbers are plain values
    std::string name;           // empty: the report has no NAME line, as when the name is not delivered
    std::string date = "0321";  // MMDD
    std::string time = "1405";  // HHMM
};

struct CallTiming {
    std::chrono::milliseconds report_delay{1000};  // between the report and its neighbouring ring
    std::chrono::milliseconds ring_interval{6000};
    std::chrono::milliseconds line_delay{0};  // between the report's lines; 0 sends them in one piece
    int rings = 3;
};

// Something to send at a fixed offset from the start of the call.
struct CallStep {
    std::chrono::milliseconds at;
    std::string bytes;
    std::string note;  // one line for the console
    bool ring = false;
};

std::string format_ring(const Profile& profile);
std::string format_report(const CallerInfo& caller, const Profile& profile);

// The whole call in time order: rings every ring_interval from the start, the report report_delay
// after the first ring, or report_delay before it when the profile sends the report first. With a
// line delay the report's lines go out that far apart.
std::vector<CallStep> plan_call(const CallerInfo& caller, const Profile& profile, const CallTiming& timing);

// Parses "[date=MMDD] [time=HHMM] NUMBER [NAME...]"; the name keeps its inner spaces.
std::optional<CallerInfo> parse_call_args(std::string_view args, std::string& error);

struct ExampleCall {
    std::string_view title;
    std::string_view number;
    std::string_view name;
};

std::span<const ExampleCall> example_calls();

}  // namespace modem_sim

#pragma once
// The modem activity log (txtStatus): every received character, and the program's own notes on
// what went wrong. It keeps at least the last kKeep bytes; once it holds kLimit it drops the
// oldest text back to kKeep, so a port that never stops talking costs bounded memory and constant
// work per character. Characters reach the window in one piece per receive event (flush): a text
// box redrawn for every character would delay the answer to a call by tens of milliseconds.

#include <cstddef>
#include <deque>
#include <string>

#include "monitor/monitor_listener.h"

namespace vantelmoor {

class ActivityLog {
public:
    static constexpr std::size_t kKeep = 32 * 1024;
    static constexpr std::size_t kLimit = 64 * 1024;
    static constexpr std::size_t kNotesKept = 8;

    explicit ActivityLog(MonitorListener& listener);

    void append(char ch);
    // Shows what was appended since the last flush.
    void flush();
    // A line of the program's own, shown at once on a line of its own.
    void note(const std::string& text);
    // Empties the log, as after every call; the last few notes stay, so a problem stays in sight.
    void clear();
    [[nodiscard]] const std::string& text() const { return text_; }

private:
    void add(std::string_view text);

    MonitorListener& listener_;
    std::string text_;
    std::string pending_;    // appended, not yet shown
    bool rewrite_ = false;   // the oldest text was dropped: the window gets the whole text anew
    std::deque<std::string> notes_;
};

}  // namespace vantelmoor

#pragma once
// The modem activity log (txtStatus): every received character, and the program's own notes. It
// keeps at least the last kKeep bytes; once it holds kLimit it drops the oldest text back to
// kKeep, so a port that never stops talking costs bounded memory and constant work per character.
// Characters reach the window in one piece per receive event (flush): a text box redrawn for every
// character would delay the answer to a call by tens of milliseconds.
//
// The log is emptied after every call. A note is said once; a fault (the call log unreadable, the
// modem away, ...) is said when it happens and comes back after every call until it is mended, so
// what still stands stays in sight and what is over does not.

#include <cstddef>
#include <map>
#include <string>

#include "monitor/monitor_listener.h"

namespace vantelmoor {

// What can go wrong and stay wrong for a while, one standing note each.
enum class Fault { Settings, ScreenedElsewhere, Modem, CallLog, BlockList, AllowList, RuleCounts, Totals, TrayIcon };

class ActivityLog {
public:
    static constexpr std::size_t kKeep = 32 * 1024;
    static constexpr std::size_t kLimit = 64 * 1024;

    explicit ActivityLog(MonitorListener& listener);

    void append(char ch);
    void append(std::string_view text);
    // Shows what was appended since the last flush.
    void flush();
    // A line of the program's own, shown at once on a line of its own.
    void note(const std::string& text);
    // A fault: shown at once (unless it stands already with these words) and after every clear.
    void fault(Fault which, const std::string& text);
    // The fault is over: no longer brought back; `text`, when given, says so now.
    void mended(Fault which, const std::string& text = "");
    // Empties the log, as after every call, but for the faults that still stand.
    void clear();
    [[nodiscard]] const std::string& text() const { return text_; }

private:
    void add(std::string_view text);

    MonitorListener& listener_;
    std::string text_;
    std::string pending_;                  // appended, not yet shown
    bool rewrite_ = false;                 // the oldest text was dropped: the window gets the whole text anew
    std::map<Fault, std::string> faults_;  // each one's line, as shown
};

}  // namespace vantelmoor

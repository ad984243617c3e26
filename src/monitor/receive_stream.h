#pragma once
// The port's receive event: every character is echoed into the activity log, shielded event codes
// (DLE and the character after it) blink the lights, and carriage returns complete the lines that
// the caller-ID parser reads. A line that is nothing but the modem's "ERROR" reply is reported.
// While the watchdog asks the modem whether it is there, the question's echo and the modem's OK are
// kept out of the activity log; anything else the modem says then goes in as always.

#include <cstddef>
#include <functional>
#include <string>

#include "monitor/activity_log.h"
#include "monitor/caller_id_parser.h"
#include "monitor/modem_watchdog.h"
#include "monitor/monitor_listener.h"
#include "platform/modem_port.h"

namespace vantelmoor {

class ReceiveStream {
public:
    // A line without a carriage return keeps at most this many characters; the rest is dropped.
    static constexpr std::size_t kMaxLine = 1024;

    ReceiveStream(ModemPort& port, MonitorListener& listener, ActivityLog& log, CallerIdParser& parser,
                  ModemWatchdog& watchdog, std::function<void(bool error)> result_code);

    void on_comm();
    void set_light_state(bool on);

private:
    void receive(char ch);
    // A completed line while the watchdog asks: its answer, its own echo, or the modem's news.
    void while_asked(std::string_view line);

    ModemPort& port_;
    MonitorListener& listener_;
    ActivityLog& log_;
    CallerIdParser& parser_;
    ModemWatchdog& watchdog_;
    std::function<void(bool error)> result_code_;  // each OK or ERROR the modem says
    std::string line_buffer_;
    std::string held_;  // what came while the watchdog asks, not (yet) in the activity log
    bool drop_line_feed_ = false;
    bool skip_next_ = false;
    bool light_state_ = false;
};

}  // namespace vantelmoor

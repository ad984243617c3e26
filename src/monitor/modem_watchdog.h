#pragma once
// A modem that says nothing is not trusted to be there: an RS-232 modem switched off reports no
// error on any system, and a USB modem pulled out can leave reads that just end empty. Once the
// line has been quiet for a minute (nothing heard from the modem, no call in progress, listening),
// the modem is asked "AT" and must answer within two seconds; two silent answers in a row are a
// lost modem. The question and its answer are kept out of the activity log: a line of AT and OK
// every minute would bury the calls.

#include <functional>
#include <memory>

#include "monitor/activity_log.h"
#include "platform/event_pump.h"
#include "platform/modem_port.h"
#include "platform/timers.h"

namespace vantelmoor {

struct WatchdogHooks {
    std::function<bool()> line_busy;                   // a call or the modem's set-up is under way
    std::function<void(const PortError&)> modem_lost;  // it did not answer twice
};

class ModemWatchdog {
public:
    static constexpr double kQuietSeconds = 60.0;
    static constexpr int kCheckMs = 60000;
    static constexpr int kAnswerMs = 2000;
    static constexpr int kSilencesForLost = 2;

    ModemWatchdog(ModemPort& port, Timers& timers, const Clock& clock, ActivityLog& log, WatchdogHooks hooks);

    // Listening started: the line is checked once a minute.
    void start();
    // Paused, or the port closed.
    void stop();
    // The modem sent something: it is there.
    void heard();
    // The modem answered the question (its OK, or anything else it had to say).
    void answered();
    [[nodiscard]] bool asking() const { return asking_; }
    [[nodiscard]] bool heard_since(double seconds) const { return last_heard_ >= seconds; }

private:
    void check();
    void ask();
    void silent();

    ModemPort& port_;
    std::unique_ptr<Timer> check_timer_;   // once a minute: has the modem said anything lately?
    std::unique_ptr<Timer> answer_timer_;  // the modem's time to answer "AT"
    const Clock& clock_;
    ActivityLog& log_;
    WatchdogHooks hooks_;
    bool watching_ = false;
    bool asking_ = false;
    int silences_ = 0;
    double last_heard_ = -1e9;
};

}  // namespace vantelmoor

#include "monitor/modem_watchdog.h"

#include <utility>

#include "monitor/monitor_timers.h"

namespace vantelmoor {

ModemWatchdog::ModemWatchdog(ModemPort& port, Timers& timers, const Clock& clock, ActivityLog& log,
                             WatchdogHooks hooks)
    : port_(port), timers_(timers), clock_(clock), log_(log), hooks_(std::move(hooks)) {}

void ModemWatchdog::start() {
    watching_ = true;
    silences_ = 0;
    last_heard_ = clock_.now_seconds();
    start_timer(timers_, log_, TimerId::Watchdog, kCheckMs);
}

void ModemWatchdog::stop() {
    watching_ = false;
    asking_ = false;
    timers_.stop(TimerId::Watchdog);
    timers_.stop(TimerId::WatchdogAnswer);
}

void ModemWatchdog::heard() { last_heard_ = clock_.now_seconds(); }

void ModemWatchdog::answered() {
    asking_ = false;
    silences_ = 0;
    timers_.stop(TimerId::WatchdogAnswer);
    heard();
}

void ModemWatchdog::on_timer(TimerId timer) {
    if (timer == TimerId::Watchdog) check();
    if (timer == TimerId::WatchdogAnswer) silent();
}

// A ringing line is never interrupted: the question waits for the next minute.
void ModemWatchdog::check() {
    if (!watching_ || asking_ || !port_.port_open()) return;
    if (clock_.now_seconds() - last_heard_ < kQuietSeconds - 0.5) return;
    if (hooks_.line_busy && hooks_.line_busy()) return;
    ask();
}

void ModemWatchdog::ask() {
    if (const PortResult failure = port_.output("AT\r")) {
        stop();
        if (hooks_.modem_lost) hooks_.modem_lost(*failure);
        return;
    }
    asking_ = true;
    start_timer(timers_, log_, TimerId::WatchdogAnswer, kAnswerMs);
}

void ModemWatchdog::silent() {
    timers_.stop(TimerId::WatchdogAnswer);
    if (!asking_) return;
    asking_ = false;
    if (++silences_ < kSilencesForLost) {
        ask();  // once more, at once
        return;
    }
    stop();
    if (hooks_.modem_lost) hooks_.modem_lost({0, "it did not answer AT twice within 2 seconds"});
}

}  // namespace vantelmoor

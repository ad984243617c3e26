#include "monitor/modem_watchdog.h"

#include <utility>

#include "monitor/monitor_timers.h"

namespace vantelmoor {

ModemWatchdog::ModemWatchdog(ModemPort& port, Timers& timers, const Clock& clock, ActivityLog& log, WatchdogHooks hooks)
    : port_(port),
      check_timer_(timers.make([this] { check(); })),
      answer_timer_(timers.make([this] { silent(); })),
      clock_(clock),
      log_(log),
      hooks_(std::move(hooks)) {}

void ModemWatchdog::start() {
    watching_ = true;
    silences_ = 0;
    last_heard_ = clock_.now_seconds();
    start_timer(*check_timer_, log_, kCheckMs);
}

void ModemWatchdog::stop() {
    watching_ = false;
    asking_ = false;
    check_timer_->stop();
    answer_timer_->stop();
}

void ModemWatchdog::heard() { last_heard_ = clock_.now_seconds(); }

void ModemWatchdog::answered() {
    asking_ = false;
    silences_ = 0;
    answer_timer_->stop();
    heard();
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
    start_timer(*answer_timer_, log_, kAnswerMs);
}

void ModemWatchdog::silent() {
    answer_timer_->stop();
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

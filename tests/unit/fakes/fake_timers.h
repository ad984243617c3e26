#pragma once
// A virtual clock and event pump: waiting advances the clock to the next scheduled event (or to
// the end of the wait) and runs what is due, so re-entrant paths play out deterministically. Its
// timers, as Windows' come with the message loop: a running timer ticks every interval until it is
// stopped; starting a running one changes nothing.

#include <functional>
#include <map>
#include <memory>

#include "platform/event_pump.h"
#include "platform/timers.h"

namespace vantelmoor::test {

class FakeEventLoop : public EventPump, public Clock, public Timers {
public:
    bool refuse = false;  // no timer starts, as on a system out of timers

    double now_seconds() const override { return now_; }
    void after(double delay, std::function<void()> event) { events_.emplace(now_ + delay, std::move(event)); }
    void process_events(double max_wait_seconds) override {
        const double until = now_ + max_wait_seconds;
        if (!events_.empty() && events_.begin()->first <= until) return run_next();
        now_ = until;
    }
    // Runs every event due up to `when` and leaves the clock there.
    void run_until(double when) {
        while (!events_.empty() && events_.begin()->first <= when) run_next();
        if (now_ < when) now_ = when;
    }
    std::unique_ptr<Timer> make(std::function<void()> on_tick) override {
        return std::make_unique<FakeTimer>(*this, std::move(on_tick));
    }

private:
    class FakeTimer final : public Timer {
    public:
        FakeTimer(FakeEventLoop& loop, std::function<void()> on_tick) : loop_(loop), on_tick_(std::move(on_tick)) {}
        ~FakeTimer() override { stop(); }
        bool start(int interval_ms) override {
            if (loop_.refuse) return false;
            if (!*running_) {
                running_ = std::make_shared<bool>(true);
                schedule(running_, interval_ms / 1000.0);
            }
            return true;
        }
        void stop() override { *running_ = false; }

    private:
        // Each start has a flag of its own: the ticks of a start since stopped, or of a timer since
        // destroyed, do nothing.
        void schedule(std::shared_ptr<bool> running, double interval) {
            loop_.after(interval, [this, running, interval] {
                if (!*running) return;
                on_tick_();
                if (*running) schedule(running, interval);
            });
        }

        FakeEventLoop& loop_;
        std::function<void()> on_tick_;
        std::shared_ptr<bool> running_ = std::make_shared<bool>(false);
    };

    void run_next() {
        auto node = events_.extract(events_.begin());
        if (node.key() > now_) now_ = node.key();
        node.mapped()();
    }

    double now_ = 1000.0;
    std::multimap<double, std::function<void()>> events_;
};

}  // namespace vantelmoor::test

#pragma once
// A virtual clock and event pump: waiting advances the clock to the next scheduled event (or to
// the end of the wait) and runs what is due, so re-entrant paths play out deterministically. Timers
// on it: a running timer ticks every interval until it is stopped; starting a running one changes
// nothing.

#include <functional>
#include <map>
#include <memory>

#include "platform/event_pump.h"
#include "platform/timers.h"

namespace vantelmoor::test {

class FakeEventLoop : public EventPump, public Clock {
public:
    explicit FakeEventLoop(double start = 1000.0) : now_(start) {}

    double now_seconds() const override { return now_; }

    void after(double delay, std::function<void()> event) { events_.emplace(now_ + delay, std::move(event)); }

    void process_events(double max_wait_seconds) override {
        const double until = now_ + max_wait_seconds;
        if (events_.empty() || events_.begin()->first > until) {
            now_ = until;
            return;
        }
        run_next();
    }

    // Runs every event due up to `when` and leaves the clock there.
    void run_until(double when) {
        while (!events_.empty() && events_.begin()->first <= when) run_next();
        if (now_ < when) now_ = when;
    }

private:
    void run_next() {
        auto node = events_.extract(events_.begin());
        if (node.key() > now_) now_ = node.key();
        node.mapped()();
    }

    double now_;
    std::multimap<double, std::function<void()>> events_;
};

class FakeTimers : public Timers {
public:
    explicit FakeTimers(FakeEventLoop& loop) : loop_(loop) {}

    bool refuse = false;  // as a system out of timers would

    std::unique_ptr<Timer> make(std::function<void()> on_tick) override {
        return std::make_unique<FakeTimer>(*this, std::move(on_tick));
    }

private:
    class FakeTimer final : public Timer {
    public:
        FakeTimer(FakeTimers& owner, std::function<void()> on_tick)
            : owner_(owner), on_tick_(std::move(on_tick)), alive_(std::make_shared<bool>(true)) {}
        ~FakeTimer() override {
            stop();
            *alive_ = false;
        }
        bool start(int interval_ms) override {
            if (owner_.refuse) return false;
            if (running_) return true;
            running_ = true;
            schedule(++generation_, interval_ms / 1000.0);
            return true;
        }
        void stop() override { running_ = false; }

    private:
        void schedule(int generation, double interval) {
            owner_.loop_.after(interval, [this, alive = alive_, generation, interval] {
                const auto current = [&] { return *alive && running_ && generation_ == generation; };
                if (!current()) return;
                on_tick_();
                if (current()) schedule(generation, interval);
            });
        }

        FakeTimers& owner_;
        std::function<void()> on_tick_;
        std::shared_ptr<bool> alive_;
        bool running_ = false;
        int generation_ = 0;
    };

    FakeEventLoop& loop_;
};

}  // namespace vantelmoor::test

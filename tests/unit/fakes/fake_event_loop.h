#pragma once
// A virtual clock and event pump: waiting advances the clock to the next scheduled event (or to
// the end of the wait) and runs what is due, so re-entrant paths play out deterministically.

#include <functional>
#include <map>

#include "platform/event_pump.h"

namespace vantelmoor::test {

class FakeEventLoop : public EventPump, public Clock {
public:
    explicit FakeEventLoop(double start = 1000.0) : now_(start) {}

    double now_seconds() const override { return now_; }

    void at(double when, std::function<void()> event) { events_.emplace(when, std::move(event)); }
    void after(double delay, std::function<void()> event) { at(now_ + delay, std::move(event)); }

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

}  // namespace vantelmoor::test

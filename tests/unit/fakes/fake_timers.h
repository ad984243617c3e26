#pragma once
// The monitor window's timers on the virtual clock: a running timer ticks every interval until it
// is stopped; starting a running one changes nothing.

#include <functional>
#include <map>

#include "fakes/fake_event_loop.h"
#include "platform/timers.h"

namespace vantelmoor::test {

class FakeTimers : public Timers {
public:
    explicit FakeTimers(FakeEventLoop& loop) : loop_(loop) {}

    std::function<void(TimerId)> on_tick;

    void start(TimerId timer, int interval_ms) override {
        auto& state = timers_[timer];
        if (state.running) return;
        state.running = true;
        schedule(timer, ++state.generation, interval_ms / 1000.0);
    }
    void stop(TimerId timer) override { timers_[timer].running = false; }
    [[nodiscard]] bool running(TimerId timer) const {
        const auto it = timers_.find(timer);
        return it != timers_.end() && it->second.running;
    }

private:
    struct State {
        bool running = false;
        int generation = 0;
    };

    void schedule(TimerId timer, int generation, double interval) {
        loop_.after(interval, [this, timer, generation, interval] {
            const State& state = timers_[timer];
            if (!state.running || state.generation != generation) return;
            if (on_tick) on_tick(timer);
            if (timers_[timer].running && timers_[timer].generation == generation) {
                schedule(timer, generation, interval);
            }
        });
    }

    FakeEventLoop& loop_;
    std::map<TimerId, State> timers_;
};

}  // namespace vantelmoor::test

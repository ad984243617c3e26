#pragma once
// Timers on the virtual clock: a running timer ticks every interval until it is stopped; starting
// a running one changes nothing.

#include <functional>
#include <map>

#include "fakes/fake_event_loop.h"
#include "platform/timers.h"

namespace vantelmoor::test {

class FakeTimers : public Timers {
public:
    explicit FakeTimers(FakeEventLoop& loop) : loop_(loop) {}

    bool refuse = false;  // as a system out of timers would

    bool start(TimerId timer, int interval_ms) override {
        if (refuse) return false;
        auto& state = timers_[timer];
        if (state.running) return true;
        state.running = true;
        schedule(timer, ++state.generation, interval_ms / 1000.0);
        return true;
    }
    void stop(TimerId timer) override { timers_[timer].running = false; }
    void set_on_tick(std::function<void(TimerId)> handler) override { on_tick_ = std::move(handler); }
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
            const auto current = [&] { return timers_[timer].running && timers_[timer].generation == generation; };
            if (!current()) return;
            if (on_tick_) on_tick_(timer);
            if (current()) schedule(timer, generation, interval);
        });
    }

    FakeEventLoop& loop_;
    std::map<TimerId, State> timers_;
    std::function<void(TimerId)> on_tick_;
};

}  // namespace vantelmoor::test

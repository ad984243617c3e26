#pragma once
// Timers on the virtual clock: a running timer ticks every interval until it is stopped; starting
// a running one changes nothing.

#include <functional>
#include <memory>

#include "fakes/fake_event_loop.h"
#include "platform/timers.h"

namespace vantelmoor::test {

class FakeTimers : public Timers {
public:
    explicit FakeTimers(FakeEventLoop& loop) : loop_(loop) {}

    bool refuse = false;  // as a system out of timers would
    int running = 0;      // how many are running now

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
            ++owner_.running;
            schedule(++generation_, interval_ms / 1000.0);
            return true;
        }
        void stop() override {
            if (running_) --owner_.running;
            running_ = false;
        }

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

#include "platform/win32/timers_win32.h"

#include <stdexcept>

#include "platform/win32/message_window.h"
#include "platform/win32/unexpected.h"

namespace vantelmoor::win32 {
namespace {

constexpr char kTimersClass[] = "VantelmoorTimers";

}  // namespace

class Win32Timers::Win32Timer final : public Timer {
public:
    Win32Timer(Win32Timers& owner, UINT_PTR id, std::function<void()> on_tick)
        : owner_(owner), id_(id), on_tick_(std::move(on_tick)) {}
    ~Win32Timer() override { stop(); }
    Win32Timer(const Win32Timer&) = delete;
    Win32Timer& operator=(const Win32Timer&) = delete;

    // SetTimer on a running timer would restart its interval; a running timer keeps its schedule.
    bool start(int interval_ms) override {
        if (owner_.running_.contains(id_)) return true;
        if (!SetTimer(owner_.window_.get(), id_, static_cast<UINT>(interval_ms), nullptr)) return false;
        owner_.running_[id_] = this;
        return true;
    }
    void stop() override {
        if (owner_.running_.erase(id_)) KillTimer(owner_.window_.get(), id_);
    }
    void tick() { on_tick_(); }

private:
    Win32Timers& owner_;
    UINT_PTR id_;
    std::function<void()> on_tick_;
};

Win32Timers::Win32Timers() {
    window_ = make_message_window(kTimersClass, &Win32Timers::procedure, this);
    if (!window_) throw std::runtime_error("no window for the timers");
}

std::unique_ptr<Timer> Win32Timers::make(std::function<void()> on_tick) {
    return std::make_unique<Win32Timer>(*this, next_id_++, std::move(on_tick));
}

// A tick already queued for a timer stopped since is dropped.
LRESULT CALLBACK Win32Timers::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = message_window_owner<Win32Timers>(window);
    if (self && message == WM_TIMER) {
        const auto found = self->running_.find(wparam);
        if (found != self->running_.end()) contain("acting on a timer", [timer = found->second] { timer->tick(); });
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace vantelmoor::win32

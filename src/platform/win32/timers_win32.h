#pragma once
// The program's timers: WM_TIMER timers of a message-only window of their own, each ticking into
// the callback of the part that made it.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "platform/timers.h"
#include "platform/win32/handles.h"

namespace vantelmoor::win32 {

class Win32Timers final : public Timers {
public:
    // Throws when the system gives no window for the timers.
    Win32Timers();
    Win32Timers(const Win32Timers&) = delete;
    Win32Timers& operator=(const Win32Timers&) = delete;

    std::unique_ptr<Timer> make(std::function<void()> on_tick) override;

private:
    class Win32Timer;
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    WindowHandle window_;
    UINT_PTR next_id_ = 1;
    std::map<UINT_PTR, Win32Timer*> running_;
};

}  // namespace vantelmoor::win32

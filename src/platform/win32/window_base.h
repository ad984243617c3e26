#pragma once
// What every window of the program shares: its object is attached at creation and handles each
// message; no exception crosses into the system's message dispatch.

#include <windows.h>

#include "platform/win32/handles.h"

namespace vantelmoor::win32 {

class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    [[nodiscard]] HWND hwnd() const { return window_; }

    // Handles a message as the program's message loops do: the keys of the program's window it is
    // for first (its shortcuts, Enter and Esc, Tab), then the usual dispatch.
    static void dispatch(MSG& message);
    // The hourglass over every window of the program while it is busy (printing, say): the
    // user-interface thread goes on with its events meanwhile, so the pointer is set again each time
    // the system asks.
    static void set_busy(bool busy) { busy_ = busy; }

protected:
    // doing: what the user is told was going on when an exception reached the window's edge.
    explicit WindowBase(const char* doing) : doing_(doing) {}
    ~WindowBase() = default;

    // Registers the class (a second registration fails harmlessly) and creates the window with
    // this object attached; false when the system could not.
    bool create_window(const WNDCLASSEXA& window_class, DWORD ex_style, const char* caption, DWORD style, int width,
                       int height);
    virtual LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) = 0;
    // Shows the window modal to `owner` (disabled meanwhile) and handles messages until `done` is
    // set; a quit on the way is left for the main loop.
    void run_modal(HWND owner, const bool& done);
    // The window's keys: its shortcuts; Enter and Esc anywhere in it (a multi-line box included)
    // post IDOK and IDCANCEL, which each window gives to its default button; Tab between controls.
    virtual bool translate(MSG& message);

    HWND window_ = nullptr;
    Accelerators keys_;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    const char* doing_;
    static inline bool busy_ = false;
};

}  // namespace vantelmoor::win32

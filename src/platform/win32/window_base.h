#pragma once
// What every window of the program shares: its object is attached at creation and handles each
// message; no exception crosses into the system's message dispatch.

#include <windows.h>

namespace vantelmoor::win32 {

class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    [[nodiscard]] HWND hwnd() const { return window_; }

protected:
    // doing: what the user is told was going on when an exception reached the window's edge.
    explicit WindowBase(const char* doing) : doing_(doing) {}
    ~WindowBase() = default;

    // Registers the class (a second registration fails harmlessly) and creates the window with
    // this object attached; false when the system could not.
    bool create_window(const WNDCLASSEXA& window_class, DWORD ex_style, const char* caption, DWORD style, int width,
                       int height);
    virtual LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) = 0;

    HWND window_ = nullptr;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    const char* doing_;
};

}  // namespace vantelmoor::win32

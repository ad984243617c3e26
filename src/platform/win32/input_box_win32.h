#pragma once
// An input box, which Win32 lacks: a caption, a prompt of a few lines, one line of text to type,
// OK and Cancel, sized for the DPI of the screen it appears on. Modal to its owner.

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/window_base.h"

namespace vantelmoor::win32 {

class Win32InputBox final : public WindowBase {
public:
    static constexpr char kWindowClass[] = "VantelmoorInputBox";
    static constexpr int kEditId = 2001;  // the probe types into it by this number

    Win32InputBox();
    ~Win32InputBox();

    // nullopt when the user cancelled, or when the box could not be created.
    std::optional<std::string> ask(HWND owner, const std::string& prompt, const std::string& title);

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    void finish(bool accepted);

    GdiObject font_;
    std::optional<std::string> answer_;
    bool done_ = false;
};

}  // namespace vantelmoor::win32

#include "platform/win32/input_box_win32.h"

#include <string>

#include "platform/win32/small_dialog.h"

namespace vantelmoor::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int kPromptId = 2002;

constexpr DialogPlace kPlaces[] = {
    {kPromptId, "STATIC", SS_NOPREFIX, 120, 120, 4200, 1200},
    {IDOK, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 4440, 120, 1080, 375},
    {IDCANCEL, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 4440, 540, 1080, 375},
    {Win32InputBox::kEditId, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 120, 1440, 5400, 315},
};
constexpr int kClientWidth = 5640;
constexpr int kClientHeight = 1875;

// The text Windows shows: a lone carriage return is no line break in a static control.
std::string with_line_breaks(const std::string& text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        shown += text[i];
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) shown += '\n';
    }
    return shown;
}

}  // namespace

Win32InputBox::Win32InputBox() : WindowBase("asking for a line of text") {}

Win32InputBox::~Win32InputBox() {
    if (window_) DestroyWindow(window_);
}

std::optional<std::string> Win32InputBox::ask(HWND owner, const std::string& prompt, const std::string& title) {
    if (!create_window(small_dialog_class(kWindowClass), WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, title.c_str(),
                       kStyle, 0, 0)) {
        return std::nullopt;
    }
    const auto text_of = [&](int id) -> std::string {
        return id == kPromptId ? with_line_breaks(prompt) : id == IDOK ? "OK" : id == IDCANCEL ? "Cancel" : "";
    };
    if (!place_controls(window_, kPlaces, text_of, kClientWidth, kClientHeight, font_)) return std::nullopt;
    SetFocus(GetDlgItem(window_, kEditId));
    run_modal(owner, done_);
    DestroyWindow(window_);
    window_ = nullptr;
    return answer_;
}

void Win32InputBox::finish(bool accepted) {
    if (accepted) answer_ = control_text(window_, kEditId);
    done_ = true;
}

LRESULT Win32InputBox::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) finish(LOWORD(wparam) == IDOK);
            return 0;
        case WM_CLOSE: finish(false); return 0;
        case WM_DESTROY: window_ = nullptr; return 0;
        default: return DefWindowProcA(window_, message, wparam, lparam);
    }
}

}  // namespace vantelmoor::win32

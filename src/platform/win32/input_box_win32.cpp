#include "platform/win32/input_box_win32.h"

#include <string>

#include "platform/win32/dpi.h"
#include "platform/win32/main_window_win32.h"

namespace vantelmoor::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int kPromptId = 2002;

// Positions in twips, as the program's other windows are laid out.
struct Place {
    int id;
    const char* window_class;
    DWORD style;
    int left, top, width, height;
};

constexpr Place kPlaces[] = {
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
    WNDCLASSEXA window_class{};
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = kWindowClass;
    if (!create_window(window_class, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, title.c_str(), kStyle, 0, 0)) {
        return std::nullopt;
    }
    const int dpi = window_dpi(window_);
    font_ = layout_font(FontStyle::Default, dpi);
    for (const Place& place : kPlaces) {
        const std::string text = place.id == kPromptId ? with_line_breaks(prompt) : place.id == IDOK ? "OK"
                                 : place.id == IDCANCEL                             ? "Cancel"
                                                                                    : "";
        const HWND control = CreateWindowExA(
            0, place.window_class, text.c_str(), WS_CHILD | WS_VISIBLE | place.style, twips_to_pixels(place.left, dpi),
            twips_to_pixels(place.top, dpi), twips_to_pixels(place.width, dpi), twips_to_pixels(place.height, dpi),
            window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), window_class.hInstance, nullptr);
        if (!control) return std::nullopt;
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    RECT outer{0, 0, twips_to_pixels(kClientWidth, dpi), twips_to_pixels(kClientHeight, dpi)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, WS_EX_DLGMODALFRAME);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    SetWindowPos(window_, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, 0);

    SetFocus(GetDlgItem(window_, kEditId));
    run_modal(owner, done_);
    DestroyWindow(window_);
    window_ = nullptr;
    return answer_;
}

void Win32InputBox::finish(bool accepted) {
    if (accepted) {
        const HWND edit = GetDlgItem(window_, kEditId);
        std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
        text.resize(static_cast<std::size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
        answer_ = text;
    }
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

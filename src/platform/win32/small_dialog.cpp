#include "platform/win32/small_dialog.h"

#include "platform/win32/dpi.h"
#include "platform/win32/main_window_win32.h"

namespace vantelmoor::win32 {

bool place_controls(HWND window, std::span<const DialogPlace> places, const std::function<std::string(int)>& text_of,
                    int client_width, int client_height, GdiObject& font) {
    const int dpi = window_dpi(window);
    font = layout_font(FontStyle::Default, dpi);
    for (const DialogPlace& place : places) {
        const HWND control = CreateWindowExA(
            0, place.window_class, text_of(place.id).c_str(), WS_CHILD | WS_VISIBLE | place.style,
            twips_to_pixels(place.left, dpi), twips_to_pixels(place.top, dpi), twips_to_pixels(place.width, dpi),
            twips_to_pixels(place.height, dpi), window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
            GetModuleHandleA(nullptr), nullptr);
        if (!control) return false;
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    const auto ex_style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    RECT outer{0, 0, twips_to_pixels(client_width, dpi), twips_to_pixels(client_height, dpi)};
    AdjustWindowRectEx(&outer, style, FALSE, ex_style);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    SetWindowPos(window, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, 0);
    return true;
}

std::string control_text(HWND window, int id) {
    const HWND control = GetDlgItem(window, id);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

WNDCLASSEXA small_dialog_class(const char* name) {
    WNDCLASSEXA window_class{};
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = name;
    return window_class;
}

}  // namespace vantelmoor::win32

#include "platform/win32/dpi.h"

namespace vantelmoor::win32 {
namespace {

template <typename Function>
Function user32_function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

}  // namespace

int window_dpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto get_dpi_for_window = user32_function<GetDpiForWindowFn>("GetDpiForWindow");
    if (get_dpi_for_window) {
        if (const UINT dpi = get_dpi_for_window(window)) return static_cast<int>(dpi);
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

void adjust_window_rect(RECT& rect, DWORD style, DWORD ex_style, int dpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust_for_dpi = user32_function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    if (adjust_for_dpi && adjust_for_dpi(&rect, style, TRUE, ex_style, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&rect, style, TRUE, ex_style);
}

}  // namespace vantelmoor::win32

#include "platform/win32/dialog_window_win32.h"

#include <commctrl.h>

#include "platform/win32/dpi.h"
#include "platform/win32/main_window_win32.h"
#include "ui/colours.h"

namespace vantelmoor::win32 {
namespace {

struct ControlClass {
    const char* name;
    DWORD style;
    DWORD ex_style;
};

ControlClass control_class(DialogControlKind kind) {
    switch (kind) {
        case DialogControlKind::Label: return {"STATIC", SS_NOPREFIX | SS_CENTERIMAGE, 0};
        case DialogControlKind::ListBox:
            return {"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
                    WS_EX_CLIENTEDGE};
        // Virtual: the window keeps the rows and gives each as it is drawn, so a list of 32,767
        // is there at once.
        case DialogControlKind::ListView:
            return {WC_LISTVIEWA, WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                    WS_EX_CLIENTEDGE};
        case DialogControlKind::Button: return {"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
        case DialogControlKind::CheckBox: return {"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case DialogControlKind::Line: return {nullptr, 0, 0};
    }
    return {nullptr, 0, 0};
}

GdiObject list_font(int centipoints, int dpi) {
    LOGFONTA font{};
    font.lfHeight = -MulDiv(centipoints, dpi, 7200);
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(font.lfFaceName, "Courier New", LF_FACESIZE);
    return GdiObject(CreateFontIndirectA(&font));
}

}  // namespace

Win32DialogWindow::Win32DialogWindow(const DialogLayout& layout, DWORD style, const char* doing)
    : WindowBase(doing), layout_(layout), style_(style) {}

Win32DialogWindow::~Win32DialogWindow() { destroy_dialog(); }

bool Win32DialogWindow::create_dialog(HWND owner) {
    WNDCLASSEXA window_class{};
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.hIcon = LoadIconA(window_class.hInstance, MAKEINTRESOURCEA(1));
    const std::string class_name(layout_.window_class);
    window_class.lpszClassName = class_name.c_str();
    if (!create_window(window_class, WS_EX_CONTROLPARENT, std::string(layout_.caption).c_str(), style_, 0, 0)) {
        return false;
    }
    SetWindowLongPtrA(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    dpi_ = window_dpi(window_);
    font_ = layout_font(FontStyle::Default, dpi_);
    list_font_ = list_font(layout_.list_centipoints, dpi_);
    list_brush_.reset(CreateSolidBrush(static_cast<COLORREF>(kLightYellow)));
    for (const DialogControl& item : layout_.controls) {
        const ControlClass cls = control_class(item.kind);
        if (!cls.name) continue;
        const HWND child = CreateWindowExA(
            cls.ex_style, cls.name, std::string(item.text).c_str(),
            WS_CHILD | WS_VISIBLE | cls.style | (item.id == layout_.default_button ? BS_DEFPUSHBUTTON : 0) |
                (item.enabled ? 0 : WS_DISABLED),
            twips_to_pixels(item.left, dpi_), twips_to_pixels(item.top, dpi_), twips_to_pixels(item.width, dpi_),
            twips_to_pixels(item.height, dpi_), window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)),
            window_class.hInstance, nullptr);
        if (!child) return false;
        const GdiObject& font = item.kind == DialogControlKind::ListBox ? list_font_ : font_;
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        if (item.kind == DialogControlKind::ListView) {
            SendMessageA(child, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        }
    }
    RECT outer{0, 0, twips_to_pixels(layout_.client_width, dpi_), twips_to_pixels(layout_.client_height, dpi_)};
    AdjustWindowRectEx(&outer, style_, FALSE, WS_EX_CONTROLPARENT);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const bool centred = layout_.left < 0;
    const int left = centred ? (GetSystemMetrics(SM_CXSCREEN) - width) / 2 : twips_to_pixels(layout_.left, dpi_);
    const int top = centred ? (GetSystemMetrics(SM_CYSCREEN) - height) / 2 : twips_to_pixels(layout_.top, dpi_);
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void Win32DialogWindow::destroy_dialog() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}

void Win32DialogWindow::fill_list(int id, const std::vector<std::string>& lines) {
    const HWND list = control(id);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    std::size_t bytes = 0;
    for (const std::string& line : lines) bytes += line.size() + 1;
    SendMessageA(list, LB_INITSTORAGE, lines.size(), static_cast<LPARAM>(bytes));
    for (const std::string& line : lines) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int Win32DialogWindow::list_selection(int id) const {
    return static_cast<int>(SendMessageA(control(id), LB_GETCURSEL, 0, 0));  // LB_ERR (-1): none
}

std::string Win32DialogWindow::list_text(int id, int index) const {
    if (index < 0) return {};
    const LRESULT length = SendMessageA(control(id), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        SendMessageA(control(id), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void Win32DialogWindow::paint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window_, &ps);
    for (const DialogControl& item : layout_.controls) {
        if (item.kind != DialogControlKind::Line) continue;
        const int left = twips_to_pixels(item.left, dpi_);
        const int top = twips_to_pixels(item.top, dpi_);
        const RECT shadow{left, top, left + twips_to_pixels(item.width, dpi_), top + 1};
        const RECT light{shadow.left, top + 1, shadow.right, top + 2};
        FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
        FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    }
    EndPaint(window_, &ps);
}

LRESULT Win32DialogWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wparam);
            // Enter and Esc press the default button.
            command(id == IDOK || id == IDCANCEL ? layout_.default_button : id, HIWORD(wparam));
            return 0;
        }
        case WM_NOTIFY: return notify(*reinterpret_cast<NMHDR*>(lparam));
        case WM_CTLCOLORLISTBOX:
            SetBkColor(reinterpret_cast<HDC>(wparam), static_cast<COLORREF>(kLightYellow));
            return reinterpret_cast<LRESULT>(list_brush_.get());
        case WM_PAINT: paint(); return 0;
        case WM_CLOSE: close_requested(false); return 0;
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            if (wparam) close_requested(true);
            return 0;
        case WM_DESTROY: window_ = nullptr; return 0;
        default: return DefWindowProcA(window_, message, wparam, lparam);
    }
}

}  // namespace vantelmoor::win32

#include "platform/win32/main_window_win32.h"

#include <commctrl.h>

#include "platform/win32/dpi.h"
#include "platform/win32/unexpected.h"

namespace vantelmoor::win32 {
namespace {

constexpr char kWindowClass[] = "frmCallerID";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Font heights in hundredths of a point.
constexpr int kTahoma825 = 825;
constexpr int kCourier975 = 975;

GdiObject make_font(const char* face, int centipoints, int dpi, bool bold) {
    LOGFONTA font{};
    font.lfHeight = -MulDiv(centipoints, dpi, 7200);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return GdiObject(CreateFontIndirectA(&font));
}

}  // namespace

GdiObject layout_font(FontStyle style, int dpi) {
    const bool fixed = style == FontStyle::Fixed;
    return make_font(fixed ? "Courier New" : "Tahoma", fixed ? kCourier975 : kTahoma825, dpi, style == FontStyle::Bold);
}

namespace {

COLORREF colorref(Colour colour) { return static_cast<COLORREF>(colour); }

struct ControlClass {
    const char* name;
    DWORD style;
    DWORD ex_style;
};

ControlClass control_class(const ControlLayout& item) {
    const DWORD align = item.align == TextAlign::Centre ? SS_CENTER : item.align == TextAlign::Right ? SS_RIGHT : 0;
    switch (item.kind) {
        case ControlKind::Button:
            return {"BUTTON",
                    static_cast<DWORD>(WS_TABSTOP | (item.id == Control::Connect1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                                       BS_MULTILINE),
                    0};
        case ControlKind::TextBox: return {"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::LogBox:
            return {"EDIT", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
        // One line each, never wrapped: a caption that does not fit loses its end, not a line.
        case ControlKind::Label: return {"STATIC", SS_NOPREFIX | SS_CENTERIMAGE | align, 0};
        case ControlKind::Link: return {"STATIC", SS_NOPREFIX | SS_CENTERIMAGE | SS_NOTIFY | align, 0};
        case ControlKind::Shape:
        case ControlKind::Line: return {nullptr, 0, 0};
    }
    return {nullptr, 0, 0};
}

}  // namespace

Win32MainWindow::Win32MainWindow(HINSTANCE instance) : WindowBase("handling the monitor window"), instance_(instance) {}

Win32MainWindow::~Win32MainWindow() {
    if (window_) DestroyWindow(window_);  // the menu goes with it
}

bool Win32MainWindow::create() {
    WNDCLASSEXA window_class{};
    window_class.hInstance = instance_;
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(1));
    window_class.hIconSm =
        static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    window_class.lpszClassName = kWindowClass;
    for (const ControlLayout& item : main_window_controls()) looks_[item.id] = {item.fore, item.back};
    if (!create_window(window_class, WS_EX_CONTROLPARENT, std::string(kMainWindowCaption).c_str(), kWindowStyle, 400,
                       600) ||
        !create_controls() || !create_menu()) {
        return false;
    }
    apply_dpi(window_dpi(window_));
    return true;
}

// The menus are owned here until the window holds them: a step that fails leaves nothing behind.
bool Win32MainWindow::create_menu() {
    MenuHandle bar(CreateMenu());
    MenuHandle actions(CreatePopupMenu());
    if (!bar || !actions) return false;
    for (const MenuEntry& entry : main_menu()) {
        std::string caption(entry.caption);
        if (!entry.shortcut.empty()) caption.append(1, '\t').append(entry.shortcut);
        const BOOL added =
            entry.item ? AppendMenuA(actions.get(), MF_STRING, static_cast<UINT_PTR>(*entry.item), caption.c_str())
                       : AppendMenuA(actions.get(), MF_SEPARATOR, 0, nullptr);
        if (!added) return false;
    }
    if (!AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(actions.get()),
                     std::string(kMainMenuCaption).c_str())) {
        return false;
    }
    actions_ = actions.release();  // the bar holds it now
    if (!SetMenu(window_, bar.get())) return false;
    bar.release();  // the window holds it now
    ACCEL keys[] = {{FVIRTKEY, VK_F12, static_cast<WORD>(MainMenuItem::Hide)},
                    {FVIRTKEY, VK_F1, static_cast<WORD>(MainMenuItem::Help)}};
    keys_.reset(CreateAcceleratorTableA(keys, 2));
    return keys_.valid();
}

bool Win32MainWindow::create_controls() {
    for (const ControlLayout& item : main_window_controls()) {
        const ControlClass cls = control_class(item);
        if (!cls.name) continue;
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | cls.style | (item.enabled ? 0 : WS_DISABLED);
        const HWND control =
            CreateWindowExA(cls.ex_style, cls.name, std::string(item.text).c_str(), style, 0, 0, 0, 0, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance_, nullptr);
        if (!control) return false;
        if (item.kind == ControlKind::LogBox) SendMessageA(control, EM_SETLIMITTEXT, 0, 0);
    }
    return true;
}

// Positions, sizes and fonts follow the window's DPI, so the layout stays in proportion and sharp.
void Win32MainWindow::apply_dpi(int dpi) {
    dpi_ = dpi;
    font_default_ = layout_font(FontStyle::Default, dpi);
    font_bold_ = layout_font(FontStyle::Bold, dpi);
    font_fixed_ = layout_font(FontStyle::Fixed, dpi);
    for (const ControlLayout& item : main_window_controls()) {
        const HWND control = control_window(item.id);
        if (!control) continue;
        const RECT r = pixel_rect(item);
        MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        const GdiObject& font = item.font == FontStyle::Bold    ? font_bold_
                                : item.font == FontStyle::Fixed ? font_fixed_
                                                                : font_default_;
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    const SIZE outer = outer_size(dpi);
    SetWindowPos(window_, nullptr, twips_to_pixels(kMainLeft, dpi), twips_to_pixels(kMainTop, dpi), outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wrapped, or a frame the system draws wider than it said, shows in the client
    // area the window got: it is made up for once.
    RECT client{};
    GetClientRect(window_, &client);
    const int short_x = twips_to_pixels(kMainClientWidth, dpi) - client.right;
    const int short_y = twips_to_pixels(kMainClientHeight, dpi) - client.bottom;
    if (short_x != 0 || short_y != 0) {
        SetWindowPos(window_, nullptr, 0, 0, outer.cx + short_x, outer.cy + short_y,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
    InvalidateRect(window_, nullptr, TRUE);
}

// The outer size that gives the client area the layout's size at `dpi`, the menu bar included.
SIZE Win32MainWindow::outer_size(int dpi) {
    RECT outer{0, 0, twips_to_pixels(kMainClientWidth, dpi), twips_to_pixels(kMainClientHeight, dpi)};
    adjust_window_rect(outer, kWindowStyle, WS_EX_CONTROLPARENT, dpi);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

RECT Win32MainWindow::pixel_rect(const ControlLayout& item) const {
    const int left = twips_to_pixels(item.left, dpi_);
    const int top = twips_to_pixels(item.top, dpi_);
    return {left, top, left + twips_to_pixels(item.width, dpi_), top + twips_to_pixels(item.height, dpi_)};
}

void Win32MainWindow::show_normal() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

bool Win32MainWindow::visible() const { return IsWindowVisible(window_) != FALSE; }

void Win32MainWindow::set_menu_enabled(MainMenuItem item, bool enabled) {
    EnableMenuItem(actions_, static_cast<UINT>(item), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// A window never shown (at start-up) is hidden already: showing it minimised only to hide it again
// would cost a round trip to the window manager (two seconds under Wine without one).
void Win32MainWindow::hide() {
    if (!IsWindowVisible(window_)) return;
    ShowWindow(window_, SW_MINIMIZE);
    ShowWindow(window_, SW_HIDE);
}

void Win32MainWindow::set_text(Control control, const std::string& text) {
    SetWindowTextA(control_window(control), text.c_str());
    if (control == Control::txtStatus) SendMessageA(control_window(control), EM_SCROLLCARET, 0, 0);
}

std::string Win32MainWindow::text(Control control) const {
    const HWND window = control_window(control);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Win32MainWindow::append_text(Control control, std::string_view text) {
    const HWND window = control_window(control);
    const auto end = static_cast<WPARAM>(GetWindowTextLengthA(window));
    SendMessageA(window, EM_SETSEL, end, static_cast<LPARAM>(end));
    const std::string piece(text);
    SendMessageA(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
}

void Win32MainWindow::set_fore_colour(Control control, Colour colour) {
    looks_[control].fore = colour;
    InvalidateRect(control_window(control), nullptr, TRUE);
}

void Win32MainWindow::set_fill_colour(Control control, Colour colour) {
    looks_[control].back = colour;
    const RECT r = pixel_rect(control_layout(control));
    InvalidateRect(window_, &r, TRUE);
}

void Win32MainWindow::set_enabled(Control control, bool enabled) { EnableWindow(control_window(control), enabled); }

HBRUSH Win32MainWindow::brush(Colour colour) {
    auto& owned = brushes_[colour];
    if (!owned) owned.reset(CreateSolidBrush(colorref(colour)));
    return static_cast<HBRUSH>(owned.get());
}

LRESULT Win32MainWindow::colour_control(HDC dc, HWND control) {
    const auto id = static_cast<Control>(GetDlgCtrlID(control));
    const auto look = looks_.find(id);
    const Look style = look == looks_.end() ? Look{kDefaultColour, kDefaultColour} : look->second;
    SetTextColor(dc, style.fore == kDefaultColour ? GetSysColor(COLOR_WINDOWTEXT) : colorref(style.fore));
    if (style.back == kDefaultColour) {  // labels on the window's own face
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetBkColor(dc, colorref(style.back));
    return reinterpret_cast<LRESULT>(brush(style.back));
}

void Win32MainWindow::paint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window_, &ps);
    for (const ControlLayout& item : main_window_controls()) {
        const RECT r = pixel_rect(item);
        if (item.kind == ControlKind::Shape) {
            FillRect(dc, &r, brush(looks_[item.id].back));
            FrameRect(dc, &r, brush(kBlack));
        } else if (item.kind == ControlKind::Line) {
            const RECT shadow{r.left, r.top, r.right, r.top + 1};
            const RECT light{r.left, r.top + 1, r.right, r.top + 2};
            FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
            FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        }
    }
    EndPaint(window_, &ps);
}

void Win32MainWindow::on_command(int id) {
    if (!events_) return;
    if (id >= static_cast<int>(MainMenuItem::ShowLog) && id <= static_cast<int>(MainMenuItem::ExportLog)) {
        events_->menu_chosen(static_cast<MainMenuItem>(id));
        return;
    }
    if (id == static_cast<int>(Control::Label2_0) || id == static_cast<int>(Control::Label2_1)) {
        events_->label2_click();
        return;
    }
    int index = -1;
    if (id == static_cast<int>(Control::Connect0)) index = 0;
    // Enter and Esc anywhere in the window press "&Hide", the default and cancel button.
    if (id == static_cast<int>(Control::Connect1) || id == IDOK || id == IDCANCEL) index = 1;
    if (id == static_cast<int>(Control::Connect2)) index = 2;
    if (index >= 0) events_->connect_click(index);
}

LRESULT Win32MainWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            // A click (or a menu item, STN_CLICKED alike: 0), or an accelerator key (1).
            if (HIWORD(wparam) == BN_CLICKED || HIWORD(wparam) == 1) on_command(LOWORD(wparam));
            return 0;
        case WM_SETCURSOR: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wparam));
            if (id == static_cast<int>(Control::Label2_0) || id == static_cast<int>(Control::Label2_1)) {
                SetCursor(LoadCursor(nullptr, IDC_HAND));
                return TRUE;
            }
            return DefWindowProcA(window_, message, wparam, lparam);
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT: return colour_control(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
        case WM_PAINT: paint(); return 0;
        case WM_DPICHANGED: {
            apply_dpi(HIWORD(wparam));
            const auto* suggested = reinterpret_cast<const RECT*>(lparam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_CLOSE:
            if (events_ && !events_->query_unload(CloseReason::User)) return 0;
            DestroyWindow(window_);
            return 0;
        case WM_QUERYENDSESSION: return events_ ? events_->query_unload(CloseReason::System) : TRUE;
        case WM_ENDSESSION:
            if (wparam && events_) events_->form_unload();
            return 0;
        case WM_DESTROY:
            if (events_) events_->form_unload();
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default: return DefWindowProcA(window_, message, wparam, lparam);
    }
}

}  // namespace vantelmoor::win32

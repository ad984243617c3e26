// The real monitor window: its size and captions at each DPI, and the view operations and events on real controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <string_view>

#include "platform/win32/main_window_win32.h"
#include "platform/win32/unexpected.h"

namespace vantelmoor {
namespace {

// At the DPIs Windows offers by default: the menu bar is added to the outer size; each caption fits its one line.
TEST(MainWindowSizeTest, TheMenuBarIsAddedToTheOuterSizeAndEveryCaptionFitsItsLabelAtEveryDpi) {
    const HDC screen = GetDC(nullptr);
    const auto extent = [&](FontStyle style, int dpi, std::string_view text) {
        const win32::GdiObject font = win32::layout_font(style, dpi);
        const HGDIOBJ old = SelectObject(screen, font.get());
        SIZE size{};
        GetTextExtentPoint32A(screen, text.data(), static_cast<int>(text.size()), &size);
        SelectObject(screen, old);
        return size;
    };
    for (const int dpi : {96, 120, 144}) {
        const SIZE outer = win32::Win32MainWindow::outer_size(dpi);
        RECT without_menu{0, 0, twips_to_pixels(kMainClientWidth, dpi), twips_to_pixels(kMainClientHeight, dpi)};
        AdjustWindowRectEx(&without_menu, WS_OVERLAPPED | WS_CAPTION, FALSE, 0);
        EXPECT_GT(outer.cy - (without_menu.bottom - without_menu.top), dpi / 8) << dpi;  // a menu bar's height
        EXPECT_GE(outer.cx, twips_to_pixels(kMainClientWidth, dpi)) << dpi;
        for (const ControlLayout& item : main_window_controls()) {
            if (item.kind != ControlKind::Label && item.kind != ControlKind::Link) continue;
            const SIZE text = extent(item.font, dpi, item.text);
            EXPECT_LE(text.cx, twips_to_pixels(item.width, dpi)) << item.name << " at " << dpi;
            EXPECT_LE(text.cy, twips_to_pixels(item.height, dpi)) << item.name << " at " << dpi;
        }
        // The activity log's columns line up: its font is fixed-pitch.
        EXPECT_EQ(extent(FontStyle::Fixed, dpi, "iiii").cx, extent(FontStyle::Fixed, dpi, "WWWW").cx) << dpi;
    }
    ReleaseDC(nullptr, screen);
}

struct Recorder : MainViewEvents {
    std::vector<int> clicks;
    std::vector<CloseReason> closes;
    void connect_click(int index) override {
        clicks.push_back(index);
        if (clicks.size() == 1) throw std::bad_alloc();
    }
    void menu_chosen(MainMenuItem item) override { clicks.push_back(static_cast<int>(item)); }
    void label2_click() override { clicks.push_back(-2); }
    bool query_unload(CloseReason reason) override {
        closes.push_back(reason);
        return reason != CloseReason::User;
    }
    void form_unload() override {}
};

std::vector<std::string> told;

// Out of memory in a handler is told, and the window goes on to its next event.
TEST(MainWindowTest, ButtonsGiveTheirIndexTheCloseIsRefusedOutOfMemoryIsToldTheLogPassesTheEditLimitAndHideHides) {
    Recorder events;  // outlives the window
    win32::Win32MainWindow window(GetModuleHandleA(nullptr));
    ASSERT_TRUE(window.create());
    win32::set_teller([](const std::string& text) { told.push_back(text); });
    window.set_events(&events);
    const auto command = [&](int id, WORD code) { SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, code), 0); };
    command(static_cast<int>(Control::Connect0), BN_CLICKED);
    command(static_cast<int>(Control::Connect0), BN_CLICKED);
    command(IDCANCEL, BN_CLICKED);
    command(IDOK, BN_CLICKED);
    command(static_cast<int>(Control::Label2_0), STN_CLICKED);
    MSG f12{window.hwnd(), WM_KEYDOWN, VK_F12, 0, 0, {}};  // the shortcut, through the message loop's path
    win32::WindowBase::dispatch(f12);
    SendMessageA(window.hwnd(), WM_CLOSE, 0, 0);
    win32::set_teller(nullptr);
    EXPECT_EQ(events.clicks, (std::vector<int>{0, 0, 1, 1, -2, static_cast<int>(MainMenuItem::Hide)}));
    EXPECT_EQ(events.closes, std::vector<CloseReason>{CloseReason::User});
    EXPECT_TRUE(IsWindow(window.hwnd()));
    for (int i = 0; i < 40; ++i) window.append_text(Control::txtStatus, std::string(1000, 'x'));
    window.append_text(Control::txtStatus, "\r\nOK");
    EXPECT_EQ(window.text(Control::txtStatus), std::string(40'000, 'x') + "\r\nOK");
    window.show_normal();
    window.hide();
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
    EXPECT_TRUE(IsIconic(window.hwnd()));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("handling the monitor window:\r\rstd::bad_alloc"), std::string::npos) << told[0];
}

}  // namespace
}  // namespace vantelmoor

// The real monitor window: its size and captions at each DPI, and the view operations and events
// on real controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <utility>

#include "platform/win32/main_window_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/unexpected.h"

namespace vantelmoor {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.create()); }

    win32::Win32MainWindow window{GetModuleHandleA(nullptr)};
};

TEST(MainWindowSizeTest, TheMenuBarIsAddedToTheOuterSizeAtEveryDpi) {
    for (const int dpi : {96, 120, 144}) {
        const SIZE outer = win32::Win32MainWindow::outer_size(dpi);
        RECT without_menu{0, 0, twips_to_pixels(kMainClientWidth, dpi), twips_to_pixels(kMainClientHeight, dpi)};
        AdjustWindowRectEx(&without_menu, WS_OVERLAPPED | WS_CAPTION, FALSE, 0);
        EXPECT_GT(outer.cy - (without_menu.bottom - without_menu.top), dpi / 8) << dpi;  // a menu bar's height
        EXPECT_GE(outer.cx, twips_to_pixels(kMainClientWidth, dpi)) << dpi;
    }
}

// Each caption stays on its one line whole, in the font the layout names, at the DPIs that
// Windows offers by default.
TEST(MainWindowFontTest, EveryCaptionFitsItsLabelAt96120And144Dpi) {
    const HDC screen = GetDC(nullptr);
    for (const int dpi : {96, 120, 144}) {
        for (const ControlLayout& item : main_window_controls()) {
            if (item.kind != ControlKind::Label && item.kind != ControlKind::Link) continue;
            const win32::GdiObject font = win32::layout_font(item.font, dpi);
            const HGDIOBJ old = SelectObject(screen, font.get());
            SIZE text{};
            GetTextExtentPoint32A(screen, item.text.data(), static_cast<int>(item.text.size()), &text);
            SelectObject(screen, old);
            EXPECT_LE(text.cx, twips_to_pixels(item.width, dpi)) << item.name << " at " << dpi;
            EXPECT_LE(text.cy, twips_to_pixels(item.height, dpi)) << item.name << " at " << dpi;
        }
    }
    // The activity log's columns line up: its font is fixed-pitch.
    const win32::GdiObject fixed = win32::layout_font(FontStyle::Fixed, 96);
    const HGDIOBJ old = SelectObject(screen, fixed.get());
    SIZE narrow{};
    SIZE wide{};
    GetTextExtentPoint32A(screen, "iiii", 4, &narrow);
    GetTextExtentPoint32A(screen, "WWWW", 4, &wide);
    SelectObject(screen, old);
    EXPECT_EQ(narrow.cx, wide.cx);
    ReleaseDC(nullptr, screen);
}

TEST_F(MainWindowTest, ActivityLogTakesAppendsBeyondTheDefaultEditLimit) {
    const std::string chunk(1000, 'x');
    for (int i = 0; i < 40; ++i) window.append_text(Control::txtStatus, chunk);
    window.append_text(Control::txtStatus, "\r\nOK");
    const std::string text = window.text(Control::txtStatus);
    EXPECT_EQ(text.size(), 40004u);
    EXPECT_EQ(text.substr(text.size() - 4), "\r\nOK");
}

struct Recorder : MainViewEvents {
    std::vector<int> clicks;
    std::vector<CloseReason> closes;
    bool out_of_memory = false;  // the next click throws
    void connect_click(int index) override {
        clicks.push_back(index);
        if (std::exchange(out_of_memory, false)) throw std::bad_alloc();
    }
    void menu_chosen(MainMenuItem item) override { clicks.push_back(static_cast<int>(item)); }
    void label2_click() override { clicks.push_back(-2); }
    bool query_unload(CloseReason reason) override {
        closes.push_back(reason);
        return reason != CloseReason::User;
    }
    void form_unload() override {}
};

TEST_F(MainWindowTest, ButtonsReportTheirIndexAndTheCloseBoxIsAskedAndRefused) {
    Recorder events;
    window.set_events(&events);
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<int>(Control::Connect0), BN_CLICKED), 0);
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<int>(Control::Label2_0), STN_CLICKED), 0);
    MSG f12{window.hwnd(), WM_KEYDOWN, VK_F12, 0, 0, {}};  // the shortcut, through the message loop's path
    win32::WindowBase::dispatch(f12);
    SendMessageA(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(events.clicks, (std::vector<int>{0, 1, 1, -2, static_cast<int>(MainMenuItem::Hide)}));
    EXPECT_EQ(events.closes, std::vector<CloseReason>{CloseReason::User});
    EXPECT_TRUE(IsWindow(window.hwnd()));
    window.set_events(nullptr);
}

std::vector<std::string> told;

TEST_F(MainWindowTest, OutOfMemoryInAHandlerIsToldAndTheWindowGoesOn) {
    win32::set_teller([](const std::string& text) { told.push_back(text); });
    Recorder events;
    window.set_events(&events);
    events.out_of_memory = true;
    const WPARAM click = MAKEWPARAM(static_cast<int>(Control::Connect0), BN_CLICKED);
    SendMessageA(window.hwnd(), WM_COMMAND, click, 0);
    SendMessageA(window.hwnd(), WM_COMMAND, click, 0);
    win32::set_teller(nullptr);
    window.set_events(nullptr);
    EXPECT_EQ(events.clicks.size(), 2u);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("handling the monitor window:\r\rstd::bad_alloc"), std::string::npos) << told[0];
}

TEST_F(MainWindowTest, HideMinimisesAndHides) {
    window.show_normal();
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    window.hide();
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
    EXPECT_TRUE(IsIconic(window.hwnd()));
}

}  // namespace
}  // namespace vantelmoor

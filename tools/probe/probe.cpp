// The UI probe of the end-to-end tests: a console program, run under the same Wine prefix as the
// program, that finds the program's windows and message boxes by caption and reads or presses
// their controls. Controls are named as the program names them ("lblStatus(0)", "Connect(2)").
//
//   probe text CAPTION CONTROL              prints the control's text
//   probe enabled CAPTION CONTROL           prints 1 or 0
//   probe checked CAPTION CONTROL           prints 1 or 0 (a check box)
//   probe items CAPTION CONTROL             prints a list box's items, one a line
//   probe visible CAPTION                   prints 1 or 0
//   probe rect CAPTION|menu [client]        prints a window's (or the open menu's) x y width height,
//                                           or its client area's
//   probe close CAPTION                     asks the window to close, as its title-bar button does
//   probe click CAPTION CONTROL             presses a button, or clicks a check box
//   probe key CAPTION CONTROL KEY           presses return, escape, space, f1 or f12 on the control
//   probe select CAPTION CONTROL INDEX      selects a list box's line, as a click on it does
//   probe selected CAPTION CONTROL          prints the index of a list box's selected line, or -1
//   probe timed-menu CAPTION ITEM WINDOW LIST COUNT
//                                           chooses a menu item, waits until the list (box or view)
//                                           LIST of the window WINDOW holds COUNT lines, prints the
//                                           milliseconds
//   probe file TITLE PATH                   types PATH into the system's open or save dialog with
//                                           that title and presses OK
//   probe type CAPTION [TEXT]               types TEXT into the input box with that caption and
//                                           presses OK; without TEXT presses Cancel
//   probe menu CAPTION ITEM                 chooses a menu item by its text ("P&ause Monitoring")
//   probe box CAPTION                       prints an open message box: "text: ..." then "buttons: A|B"
//   probe answer CAPTION BUTTON             presses a message box's button ("Yes", "No", "OK")
//   probe wait CAPTION CONTROL TEXT [SECS]  waits until the control shows TEXT (exit 1 on timeout)
//   probe wait-box CAPTION [SECS]           waits for a message box, then prints it as `box` does
//   probe icon                              prints 1 when the program's tray icon exists, else 0
//   probe tray MOUSE-MESSAGE                reports a mouse message on the tray icon, as the shell
//                                           does (513 left button down, 516 right button down)
//   probe tip                               prints the tray icon's tip, as the tray window holds it
//   probe tray-menu ITEM                    chooses an item of the tray icon's open menu by its
//                                           caption ("Pause Monitoring") with the keyboard; a
//                                           greyed item closes the menu and does nothing
//   probe hold PATH                         holds the file open without sharing, as a backup program
//                                           can, until its standard input ends; prints "held" first
//
// Exit status: 0 done, 1 not found or timed out, 2 wrong use.

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <commctrl.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/input_box_win32.h"
#include "platform/win32/tray_window_win32.h"
#include "ui/dialog_layout.h"
#include "ui/main_window_layout.h"
#include "ui/tray_view.h"

namespace {

constexpr char kDialogClass[] = "#32770";
constexpr UINT kReplyTimeoutMs = 5000;

std::string class_of(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string text_of(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        kReplyTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

std::string without_ampersands(const std::string& text) {
    std::string plain;
    for (char c : text) {
        if (c != '&') plain += c;
    }
    return plain;
}

struct Search {
    std::string caption;
    bool want_box;
    HWND found = nullptr;
};

// The caption as the system stores it: no message is sent, so a window whose thread is busy, or
// one of Wine's own hidden windows that never answers, cannot stall the search.
std::string caption_of(HWND window) {
    char caption[512] = {};
    GetWindowTextA(window, caption, sizeof(caption));
    return caption;
}

BOOL CALLBACK match_top_level(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    const bool is_box = class_of(window) == kDialogClass;
    if (is_box == search.want_box && caption_of(window) == search.caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND find_top_level(const std::string& caption, bool message_box) {
    Search search{caption, message_box};
    EnumWindows(match_top_level, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> children_of(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM param) {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// A control's number, from the layout table of the window with that caption.
int control_id(const std::string& caption, const std::string& name) {
    const vantelmoor::DialogLayout* dialogs[] = {&vantelmoor::call_log_layout(), &vantelmoor::preferences_layout(),
                                                 &vantelmoor::rules_layout()};
    for (const vantelmoor::DialogLayout* layout : dialogs) {
        if (layout->caption != caption) continue;
        for (const vantelmoor::DialogControl& item : layout->controls) {
            if (item.name == name) return item.id;
        }
        return 0;
    }
    for (const vantelmoor::DialogLayout* layout : dialogs) {
        if (layout->caption == caption) return 0;
    }
    const auto id = vantelmoor::find_control(name);
    return id ? static_cast<int>(*id) : 0;
}

std::optional<HWND> find_control(const std::string& caption, const std::string& name) {
    const HWND window = find_top_level(caption, false);
    if (!window) {
        std::fprintf(stderr, "no window \"%s\"\n", caption.c_str());
        return std::nullopt;
    }
    const HWND control = GetDlgItem(window, control_id(caption, name));
    if (!control) {
        std::fprintf(stderr, "no control %s in \"%s\"\n", name.c_str(), caption.c_str());
        return std::nullopt;
    }
    return control;
}

void print_box(HWND box) {
    std::string text;
    std::string buttons;
    for (HWND child : children_of(box)) {
        const std::string cls = class_of(child);
        if (_stricmp(cls.c_str(), "Button") == 0) {
            if (!buttons.empty()) buttons += '|';
            buttons += without_ampersands(text_of(child));
        } else if (_stricmp(cls.c_str(), "Static") == 0) {
            const std::string piece = text_of(child);
            if (!piece.empty()) text += piece;
        }
    }
    std::printf("text: %s\nbuttons: %s\n", text.c_str(), buttons.c_str());
}

bool press(HWND control) {
    // A check box changes its value as a click of the user's would change it.
    if ((GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
        return PostMessageA(control, BM_CLICK, 0, 0) != 0;
    }
    const HWND parent = GetParent(control);
    const int id = GetDlgCtrlID(control);
    return PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control)) != 0;
}

// A menu of another process cannot be read (Wine keeps menus in their own process), so the item
// is found in the program's own menu table.
std::optional<UINT> find_menu_item(const std::string& wanted) {
    for (const vantelmoor::MenuEntry& entry : vantelmoor::main_menu()) {
        if (entry.item && (entry.caption == wanted || without_ampersands(std::string(entry.caption)) == wanted)) {
            return static_cast<UINT>(*entry.item);
        }
    }
    return std::nullopt;
}

int usage() {
    std::fprintf(stderr,
                 "usage: probe "
                 "text|enabled|checked|items|visible|close|click|key|menu|box|answer|wait|wait-box|file|hold ...\n");
    return 2;
}

int wait_for_text(const std::string& caption, const std::string& name, const std::string& expected, double seconds) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    std::string last;
    do {
        if (const HWND window = find_top_level(caption, false)) {
            if (const HWND control = GetDlgItem(window, control_id(caption, name))) {
                last = text_of(control);
                if (last == expected) {
                    std::printf("%s\n", last.c_str());
                    return 0;
                }
            }
        }
        Sleep(50);
    } while (GetTickCount64() < deadline);
    std::printf("%s\n", last.c_str());
    return 1;
}

int wait_for_box(const std::string& caption, double seconds) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    do {
        if (const HWND box = find_top_level(caption, true)) {
            print_box(box);
            return 0;
        }
        Sleep(50);
    } while (GetTickCount64() < deadline);
    return 1;
}

HWND tray_window() { return find_top_level(std::string(vantelmoor::kTrayCaption), false); }

// As the shell does it: the pointer is over the icon, and its window hears of the mouse message.
int tray_mouse(int mouse_message) {
    NOTIFYICONIDENTIFIER icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = tray_window();
    icon.uID = 1;
    RECT at{};
    if (FAILED(Shell_NotifyIconGetRect(&icon, &at))) {
        // Wine does not say where an icon is: the first of its stand-alone tray, then.
        const HWND tray = FindWindowA(nullptr, "Wine System Tray");
        if (tray && GetClientRect(tray, &at)) {
            MapWindowPoints(tray, nullptr, reinterpret_cast<POINT*>(&at), 2);
            at.right = at.left + (at.bottom - at.top);
        }
    }
    SetCursorPos((at.left + at.right) / 2, (at.top + at.bottom) / 2);
    return PostMessageA(icon.hWnd, vantelmoor::win32::kTrayIconMessage, 1, mouse_message) ? 0 : 1;
}

int icon_exists() {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = tray_window();
    data.uID = 1;  // a change of nothing: it succeeds only for an icon that is there
    std::printf("%d\n", data.hWnd && Shell_NotifyIconA(NIM_MODIFY, &data) ? 1 : 0);
    return data.hWnd ? 0 : 1;
}

// The program's open pop-up menu: the item is found by its caption and chosen with the keyboard
// as a user would, so a greyed item does nothing.
int choose_tray_item(const std::string& caption) {
    const HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) {
        std::fprintf(stderr, "no menu is open\n");
        return 1;
    }
    int downs = 0;
    for (const auto& entry : vantelmoor::kTrayMenu) {
        ++downs;
        if (entry.caption == caption) break;
    }
    const auto key = [&](WPARAM vk) {
        PostMessageA(popup, WM_KEYDOWN, vk, 1);
        PostMessageA(popup, WM_KEYUP, vk, 0xC0000001);
    };
    for (int i = 0; i < downs; ++i) key(VK_DOWN);
    key(VK_RETURN);
    for (int i = 0; i < 100; ++i) {
        Sleep(50);
        if (!IsWindowVisible(popup)) return 0;
    }
    std::fprintf(stderr, "the menu did not close\n");
    return 1;
}

// Chooses a menu item of the window and waits until the list of the window it opens holds `count`
// lines; prints how long that took, in milliseconds.
int timed_menu(const std::string& caption, const std::string& item, const std::string& opened, const std::string& list,
               int count) {
    const HWND window = find_top_level(caption, false);
    const auto id = find_menu_item(item);
    if (!window || !id) return 1;
    const ULONGLONG start = GetTickCount64();
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(*id, 0), 0);
    while (GetTickCount64() - start < 30000) {
        const HWND target = find_top_level(opened, false);
        const HWND box = target ? GetDlgItem(target, control_id(opened, list)) : nullptr;
        DWORD_PTR lines = 0;
        const UINT count_message = box && class_of(box) == WC_LISTVIEWA ? LVM_GETITEMCOUNT : LB_GETCOUNT;
        if (box && SendMessageTimeoutW(box, count_message, 0, 0, SMTO_ABORTIFHUNG, 50, &lines) &&
            static_cast<int>(lines) == count) {
            std::printf("%llu\n", GetTickCount64() - start);
            return 0;
        }
        Sleep(2);
    }
    return 1;
}

// The system's open or save dialog with that title: the file's name typed in, and OK pressed.
int choose_file(const std::string& title, const std::string& path) {
    const HWND dialog = find_top_level(title, true);
    if (!dialog) return 1;
    HWND name = nullptr;
    for (HWND child : children_of(dialog)) {
        const HWND parent = GetParent(child);
        const bool in_name_box = GetDlgCtrlID(child) == 0x480 || GetDlgCtrlID(parent) == 0x47C ||
                                 (parent && GetDlgCtrlID(GetParent(parent)) == 0x47C);
        if (_stricmp(class_of(child).c_str(), "Edit") == 0 && (in_name_box || !name)) name = child;
        if (name && in_name_box) break;
    }
    if (!name) return 1;
    SendMessageTimeoutA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                        nullptr);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    for (int i = 0; i < 200 && IsWindow(dialog); ++i) Sleep(25);
    return IsWindow(dialog) ? 1 : 0;
}

int hold(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot hold %s: error %lu\n", path.c_str(), GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    char ignored[64];
    DWORD got = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), ignored, sizeof(ignored), &got, nullptr) && got > 0) continue;
    CloseHandle(file);
    return 0;
}

int run(const std::vector<std::string>& args) {
    if (args.size() == 1 && args[0] == "icon") return icon_exists();
    if (args.size() == 1 && args[0] == "tip") {
        const HWND picture = GetDlgItem(tray_window(), vantelmoor::win32::kTrayPictureId);
        std::printf("%s\n", text_of(picture).c_str());
        return picture ? 0 : 1;
    }
    if (args.size() < 2) return usage();
    if (args[0] == "hold") return hold(args[1]);
    if (args[0] == "icon") return icon_exists();
    if (args[0] == "tray") return tray_mouse(std::stoi(args[1]));
    if (args[0] == "tray-menu") return choose_tray_item(args[1]);
    const std::string& command = args[0];
    const std::string& caption = args[1];
    const auto arg = [&](std::size_t i) { return i < args.size() ? args[i] : std::string(); };
    const auto seconds = [&](std::size_t i) { return i < args.size() ? std::stod(args[i]) : 30.0; };

    if (command == "wait" && args.size() >= 4) return wait_for_text(caption, arg(2), arg(3), seconds(4));
    if (command == "wait-box") return wait_for_box(caption, seconds(2));
    if (command == "file" && args.size() == 3) return choose_file(caption, arg(2));
    if (command == "timed-menu" && args.size() >= 6)
        return timed_menu(caption, arg(2), arg(3), arg(4), std::stoi(arg(5)));
    if (command == "type") {  // into the input box with that caption; no text: Cancel
        const HWND box = FindWindowA(vantelmoor::win32::Win32InputBox::kWindowClass, caption.c_str());
        if (!box) return 1;
        if (args.size() >= 3) {
            SendMessageTimeoutA(GetDlgItem(box, vantelmoor::win32::Win32InputBox::kEditId), WM_SETTEXT, 0,
                                reinterpret_cast<LPARAM>(arg(2).c_str()), SMTO_ABORTIFHUNG, kReplyTimeoutMs, nullptr);
        }
        if (!PostMessageA(box, WM_COMMAND, args.size() >= 3 ? IDOK : IDCANCEL, 0)) return 1;
        // Gone before this returns, so that a box asked for next is not taken for this one.
        for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(25);
        return IsWindow(box) ? 1 : 0;
    }
    if (command == "rect") {  // of a top-level window, or of the open pop-up menu ("menu")
        const HWND window = caption == "menu" ? FindWindowA("#32768", nullptr) : find_top_level(caption, false);
        RECT r{};
        if (!window || !GetWindowRect(window, &r)) return 1;
        if (arg(2) == "client") {
            GetClientRect(window, &r);
            MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        }
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == "visible") {
        const HWND window = find_top_level(caption, false);
        std::printf("%d\n", window && IsWindowVisible(window) ? 1 : 0);
        return window ? 0 : 1;
    }
    if (command == "close") {
        const HWND window = find_top_level(caption, false);
        return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == "box" || command == "answer") {
        const HWND box = find_top_level(caption, true);
        if (!box) return 1;
        if (command == "box") {
            print_box(box);
            return 0;
        }
        for (HWND child : children_of(box)) {
            if (_stricmp(class_of(child).c_str(), "Button") == 0 &&
                _stricmp(without_ampersands(text_of(child)).c_str(), arg(2).c_str()) == 0) {
                return press(child) ? 0 : 1;
            }
        }
        return 1;
    }
    if (command == "menu") {
        const HWND window = find_top_level(caption, false);
        const auto id = find_menu_item(arg(2));
        if (!window || !id) return 1;
        return PostMessageA(window, WM_COMMAND, MAKEWPARAM(*id, 0), 0) ? 0 : 1;
    }

    if (args.size() < 3) return usage();
    const auto control = find_control(caption, arg(2));
    if (!control) return 1;
    if (command == "text") {
        std::printf("%s\n", text_of(*control).c_str());
    } else if (command == "enabled") {
        std::printf("%d\n", IsWindowEnabled(*control) ? 1 : 0);
    } else if (command == "checked") {
        std::printf("%d\n", SendMessageA(*control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    } else if (command == "items") {
        // Wine hands a list's text to another process in UTF-16 whichever call asks, so this one
        // asks for that and turns it back into the program's code page.
        const LRESULT count = SendMessageW(*control, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            const LRESULT length = SendMessageW(*control, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
            if (length < 0) return 1;
            std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
            item.resize(static_cast<std::size_t>(
                SendMessageW(*control, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()))));
            std::string text(item.size() * 2 + 1, '\0');
            text.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, item.c_str(),
                                                                     static_cast<int>(item.size()), text.data(),
                                                                     static_cast<int>(text.size()), nullptr, nullptr)));
            std::printf("%s\n", text.c_str());
        }
    } else if (command == "selected") {
        std::printf("%d\n", static_cast<int>(SendMessageW(*control, LB_GETCURSEL, 0, 0)));
    } else if (command == "click") {
        return press(*control) ? 0 : 1;
    } else if (command == "select") {
        const int index = std::stoi(arg(3));
        SendMessageA(*control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        PostMessageA(GetParent(*control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(*control), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(*control));
    } else if (command == "key") {
        const WPARAM key = arg(3) == "escape"  ? VK_ESCAPE
                           : arg(3) == "f12"   ? VK_F12
                           : arg(3) == "f1"    ? VK_F1
                           : arg(3) == "space" ? VK_SPACE
                                               : VK_RETURN;
        PostMessageA(*control, WM_KEYDOWN, key, 1);
        PostMessageA(*control, WM_KEYUP, key, 0xC0000001);
    } else {
        return usage();
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Texts go out byte for byte: carriage returns in them are part of what is tested.
    _setmode(_fileno(stdout), _O_BINARY);
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "probe: %s\n", error.what());
        return 2;
    }
}

#include "platform/win32/entry_editor_win32.h"

#include <string>

#include "platform/win32/small_dialog.h"

namespace vantelmoor::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int kMessageId = 2103;

constexpr int kNameLabel = 2104;
constexpr int kNumberLabel = 2105;
constexpr DialogPlace kPlaces[] = {
    {kNameLabel, "STATIC", SS_NOPREFIX, 120, 120, 4200, 255},
    {Win32EntryEditor::kNameId, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 120, 390, 4200, 315},
    {kNumberLabel, "STATIC", SS_NOPREFIX, 120, 840, 4200, 255},
    {Win32EntryEditor::kNumberId, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 120, 1110, 4200, 315},
    {kMessageId, "STATIC", SS_NOPREFIX, 120, 1560, 4200, 735},
    {IDOK, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 4440, 120, 1080, 375},
    {IDCANCEL, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 4440, 540, 1080, 375},
};
constexpr int kClientWidth = 5640;
constexpr int kClientHeight = 2415;

}  // namespace

Win32EntryEditor::Win32EntryEditor() : WindowBase("editing a screening rule") {}

Win32EntryEditor::~Win32EntryEditor() {
    if (window_) DestroyWindow(window_);
}

std::optional<BlockEntry> Win32EntryEditor::ask(HWND owner, const std::string& title, const BlockEntry& entry,
                                                const EntryCheck& check) {
    if (!create_window(small_dialog_class(kWindowClass), WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, title.c_str(),
                       kStyle, 0, 0)) {
        return std::nullopt;
    }
    const auto text_of = [&](int id) -> std::string {
        switch (id) {
            case kNameLabel: return "Name (a pattern may use * and ?):";
            case kNameId: return entry.name;
            case kNumberLabel: return "Number (digits, - ( ) . spaces, * and ?):";
            case kNumberId: return entry.number;
            case IDOK: return "OK";
            case IDCANCEL: return "Cancel";
            default: return "";
        }
    };
    if (!place_controls(window_, kPlaces, text_of, kClientWidth, kClientHeight, font_)) return std::nullopt;
    for (const int id : {kNameId, kNumberId}) SendDlgItemMessageA(window_, id, EM_SETLIMITTEXT, 20, 0);
    check_ = &check;
    recheck();
    SetFocus(GetDlgItem(window_, kNameId));
    run_modal(owner, done_);
    DestroyWindow(window_);
    window_ = nullptr;
    check_ = nullptr;
    return answer_;
}

std::string Win32EntryEditor::field(int id) const { return control_text(window_, id); }

// As the user types: what is wrong shows, and OK waits until nothing is.
void Win32EntryEditor::recheck() {
    if (!check_) return;
    const auto fault = (*check_)(field(kNameId), field(kNumberId));
    SetDlgItemTextA(window_, kMessageId, fault ? fault->c_str() : "");
    EnableWindow(GetDlgItem(window_, IDOK), !fault);
}

void Win32EntryEditor::finish(bool accepted) {
    if (accepted) {
        if (check_ && (*check_)(field(kNameId), field(kNumberId))) return;  // Enter while OK is not offered
        answer_ = BlockEntry{field(kNameId), field(kNumberId)};
    }
    done_ = true;
}

LRESULT Win32EntryEditor::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
                finish(LOWORD(wparam) == IDOK);
            } else if (HIWORD(wparam) == EN_CHANGE) {
                recheck();
            }
            return 0;
        case WM_CLOSE: finish(false); return 0;
        case WM_DESTROY: window_ = nullptr; return 0;
        default: return DefWindowProcA(window_, message, wparam, lparam);
    }
}

}  // namespace vantelmoor::win32

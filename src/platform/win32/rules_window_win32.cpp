#include "platform/win32/rules_window_win32.h"

#include <commctrl.h>

#include "platform/win32/dpi.h"
#include "platform/win32/entry_editor_win32.h"

namespace vantelmoor::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;

struct Column {
    const char* caption;
    int width_twips;
};

constexpr std::array<Column, kRuleColumns> kColumns{
    {{"Name", 2700}, {"Number", 2700}, {"Calls caught", 1320}, {"Last caught", 1800}}};

RuleList list_of(int id) { return id == kRulesLists + 1 ? RuleList::Allow : RuleList::Block; }

}  // namespace

Win32RulesWindow::Win32RulesWindow(HWND owner)
    : Win32DialogWindow(rules_layout(), kStyle, "handling the screening rules window"), owner_(owner) {}

Win32RulesWindow::~Win32RulesWindow() { destroy_dialog(); }

bool Win32RulesWindow::create() {
    if (!create_dialog(owner_)) return false;
    const int dpi = window_dpi(window_);
    for (const int id : {kRulesLists, kRulesLists + 1}) {
        for (std::size_t i = 0; i < kColumns.size(); ++i) {
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            column.pszText = const_cast<char*>(kColumns[i].caption);
            column.cx = MulDiv(kColumns[i].width_twips, dpi, 1440);
            column.iSubItem = static_cast<int>(i);
            if (SendMessageA(control(id), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column)) < 0) return false;
        }
    }
    return true;
}

void Win32RulesWindow::run_modal() {
    closed_ = false;
    WindowBase::run_modal(owner_, closed_);
}

void Win32RulesWindow::destroy() {
    destroy_dialog();
    closed_ = true;
}

void Win32RulesWindow::set_rows(RuleList list, const std::vector<RuleRow>& rows) {
    const auto index = static_cast<std::size_t>(list);
    rows_[index] = rows;
    const HWND view = control(kRulesLists + static_cast<int>(index));
    SendMessageA(view, LVM_SETITEMCOUNT, rows.size(), 0);
    InvalidateRect(view, nullptr, TRUE);
}

int Win32RulesWindow::selected(RuleList list) const {
    return static_cast<int>(SendMessageA(control(kRulesLists + static_cast<int>(list)), LVM_GETNEXTITEM,
                                         static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Win32RulesWindow::set_notify(bool on) {
    SendMessageA(control(kRulesNotify), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32RulesWindow::notify() const { return SendMessageA(control(kRulesNotify), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Win32RulesWindow::set_save_enabled(bool enabled) { EnableWindow(control(kRulesSave), enabled); }

std::optional<BlockEntry> Win32RulesWindow::edit_entry(const std::string& title, const BlockEntry& entry,
                                                       const EntryCheck& check) {
    Win32EntryEditor editor;
    return editor.ask(window_, title, entry, check);
}

void Win32RulesWindow::command(int id, int code) {
    if (!events_ || code != BN_CLICKED) return;
    if (id == kRulesNotify) events_->notify_changed();
    if (id == kRulesSave) events_->save_clicked();
    if (id == kRulesExit) events_->exit_clicked();
    for (const RuleList list : {RuleList::Block, RuleList::Allow}) {
        const int first = kRulesButtons + 10 * static_cast<int>(list);
        if (id >= first && id <= first + static_cast<int>(RulesButton::Export)) {
            events_->list_button(list, static_cast<RulesButton>(id - first));
        }
    }
}

// The list views ask for each row's text as they draw it, and say which column's head was clicked.
LRESULT Win32RulesWindow::notify(const NMHDR& header) {
    const auto id = static_cast<int>(header.idFrom);
    if (id != kRulesLists && id != kRulesLists + 1) return 0;
    const std::vector<RuleRow>& rows = rows_[static_cast<std::size_t>(list_of(id))];
    if (header.code == LVN_GETDISPINFOA) {
        auto& item = reinterpret_cast<NMLVDISPINFOA&>(const_cast<NMHDR&>(header)).item;
        if ((item.mask & LVIF_TEXT) && item.iItem >= 0 && static_cast<std::size_t>(item.iItem) < rows.size() &&
            item.iSubItem >= 0 && item.iSubItem < kRuleColumns) {
            lstrcpynA(item.pszText,
                      rows[static_cast<std::size_t>(item.iItem)][static_cast<std::size_t>(item.iSubItem)].c_str(),
                      item.cchTextMax);
        }
    } else if (header.code == LVN_COLUMNCLICK && events_) {
        events_->column_clicked(list_of(id), reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
    }
    return 0;
}

void Win32RulesWindow::close_requested(bool system) {
    if (events_ && !events_->query_unload(system ? CloseReason::System : CloseReason::User)) return;
    destroy();
}

}  // namespace vantelmoor::win32

#pragma once
// The editor of one entry of the screening rules: a name and a number, each on a line of its own,
// checked as they are typed (what is wrong with them shows below, and OK is offered only when
// nothing is), OK and Cancel. Modal to its owner.

#include <windows.h>

#include <optional>

#include "platform/win32/handles.h"
#include "platform/win32/window_base.h"
#include "ui/rules_view.h"

namespace vantelmoor::win32 {

class Win32EntryEditor final : public WindowBase {
public:
    static constexpr char kWindowClass[] = "VantelmoorEntryEditor";
    static constexpr int kNameId = 2101;  // the probe types into them by these numbers
    static constexpr int kNumberId = 2102;

    Win32EntryEditor();
    ~Win32EntryEditor();

    // nullopt when the user cancelled, or when the editor could not be created.
    std::optional<BlockEntry> ask(HWND owner, const std::string& title, const BlockEntry& entry,
                                  const EntryCheck& check);

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam) override;
    std::string field(int id) const;
    void recheck();
    void finish(bool accepted);

    GdiObject font_;
    const EntryCheck* check_ = nullptr;
    std::optional<BlockEntry> answer_;
    bool done_ = false;
};

}  // namespace vantelmoor::win32

#pragma once
// The modem activity log (txtStatus): every received character, appended as it arrives. It keeps
// at least the last kKeep bytes; once it holds kLimit it drops the oldest text back to kKeep, so a
// port that never stops talking costs bounded memory and constant work per character.

#include <cstddef>
#include <string>

#include "ui/main_view.h"

namespace vantelmoor {

class ActivityLog {
public:
    static constexpr std::size_t kKeep = 32 * 1024;
    static constexpr std::size_t kLimit = 64 * 1024;

    explicit ActivityLog(MainView& view);

    void append(char ch);
    void clear();
    [[nodiscard]] const std::string& text() const { return text_; }

private:
    MainView& view_;
    std::string text_;
};

}  // namespace vantelmoor

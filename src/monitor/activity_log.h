#pragma once
// The modem activity log (txtStatus): every received character. It keeps at least the last kKeep
// bytes; once it holds kLimit it drops the oldest text back to kKeep, so a port that never stops
// talking costs bounded memory and constant work per character. Characters reach the box in one
// piece per receive event (flush): a text box redrawn for every character would delay the
// answer to a call by tens of milliseconds.

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
    // Shows what was appended since the last flush.
    void flush();
    void clear();
    [[nodiscard]] const std::string& text() const { return text_; }

private:
    MainView& view_;
    std::string text_;
    std::string pending_;    // appended, not yet in the box
    bool rewrite_ = false;   // the oldest text was dropped: the box gets the whole text anew
};

}  // namespace vantelmoor

#include "monitor/activity_log.h"

namespace vantelmoor {

ActivityLog::ActivityLog(MainView& view) : view_(view) { text_.reserve(kLimit); }

void ActivityLog::append(char ch) {
    if (text_.size() >= kLimit) {
        text_.erase(0, text_.size() - kKeep + 1);
        text_.push_back(ch);
        view_.set_text(Control::txtStatus, text_);
        return;
    }
    text_.push_back(ch);
    view_.append_text(Control::txtStatus, std::string_view(&ch, 1));
}

void ActivityLog::clear() {
    text_.clear();
    view_.set_text(Control::txtStatus, text_);
}

}  // namespace vantelmoor

#include "monitor/activity_log.h"

namespace vantelmoor {

ActivityLog::ActivityLog(MainView& view) : view_(view) { text_.reserve(kLimit); }

void ActivityLog::append(char ch) {
    if (text_.size() >= kLimit) {
        text_.erase(0, text_.size() - kKeep + 1);
        rewrite_ = true;
        pending_.clear();
    }
    text_.push_back(ch);
    if (!rewrite_) pending_.push_back(ch);
}

void ActivityLog::flush() {
    if (rewrite_) {
        view_.set_text(Control::txtStatus, text_);
    } else if (!pending_.empty()) {
        view_.append_text(Control::txtStatus, pending_);
    }
    rewrite_ = false;
    pending_.clear();
}

void ActivityLog::clear() {
    text_.clear();
    pending_.clear();
    rewrite_ = false;
    view_.set_text(Control::txtStatus, text_);
}

}  // namespace vantelmoor

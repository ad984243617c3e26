#include "monitor/activity_log.h"

#include <algorithm>

namespace vantelmoor {

ActivityLog::ActivityLog(MonitorListener& listener) : listener_(listener) { text_.reserve(kLimit); }

void ActivityLog::append(char ch) { add(std::string_view(&ch, 1)); }

void ActivityLog::add(std::string_view text) {
    if (text_.size() + text.size() > kLimit) {
        text_.erase(0, std::min(text_.size(), text_.size() + text.size() - kKeep));
        rewrite_ = true;
        pending_.clear();
    }
    text_.append(text);
    if (!rewrite_) pending_.append(text);
}

void ActivityLog::flush() {
    if (rewrite_) {
        listener_.activity_replaced(text_);
    } else if (!pending_.empty()) {
        listener_.activity_appended(pending_);
    }
    rewrite_ = false;
    pending_.clear();
}

void ActivityLog::note(const std::string& text) {
    std::string line = (text_.empty() || text_.back() == '\n') ? "" : "\r\n";
    line += "* " + text + "\r\n";
    add(line);
    flush();
    notes_.push_back(line.substr(line.find('*')));
    if (notes_.size() > kNotesKept) notes_.pop_front();
}

void ActivityLog::clear() {
    text_.clear();
    for (const std::string& kept : notes_) text_ += kept;
    pending_.clear();
    rewrite_ = false;
    listener_.activity_replaced(text_);
}

}  // namespace vantelmoor

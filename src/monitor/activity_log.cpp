#include "monitor/activity_log.h"

#include <algorithm>

namespace vantelmoor {

ActivityLog::ActivityLog(MonitorListener& listener) : listener_(listener) { text_.reserve(kLimit); }

void ActivityLog::append(char ch) { add(std::string_view(&ch, 1)); }

void ActivityLog::append(std::string_view text) { add(text); }

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
    if (!text_.empty() && text_.back() != '\n') add("\r\n");
    add("* " + text + "\r\n");
    flush();
}

void ActivityLog::fault(Fault which, const std::string& text) {
    const std::string line = "* " + text + "\r\n";
    const auto standing = faults_.find(which);
    if (standing != faults_.end() && standing->second == line) return;
    faults_[which] = line;
    note(text);
}

void ActivityLog::mended(Fault which, const std::string& text) {
    if (faults_.erase(which) > 0 && !text.empty()) note(text);
}

void ActivityLog::clear() {
    text_.clear();
    for (const auto& [which, line] : faults_) text_ += line;
    pending_.clear();
    rewrite_ = false;
    listener_.activity_replaced(text_);
}

}  // namespace vantelmoor

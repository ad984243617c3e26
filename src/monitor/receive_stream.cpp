#include "monitor/receive_stream.h"

#include <utility>

namespace vantelmoor {
namespace {

constexpr char kDataLinkEscape = 16;
constexpr char kCarriageReturn = 13;

// The modem's own result code: the line holds the word and nothing else but line ends and spaces.
// Caller data that merely contains it (NAME=TERRORS) is no reply.
bool is_reply(std::string_view line, std::string_view word) {
    const std::size_t start = line.find_first_not_of("\n\r ");
    return start != std::string_view::npos && line.substr(start) == word;
}

}  // namespace

ReceiveStream::ReceiveStream(ModemPort& port, MonitorListener& listener, ActivityLog& log, CallerIdParser& parser,
                             ModemWatchdog& watchdog, std::function<void(bool error)> result_code)
    : port_(port),
      listener_(listener),
      log_(log),
      parser_(parser),
      watchdog_(watchdog),
      result_code_(std::move(result_code)) {
    line_buffer_.reserve(kMaxLine);
}

void ReceiveStream::on_comm() {
    if (port_.comm_event() != kCommEventReceive) return;
    watchdog_.heard();
    do {
        const std::string input = port_.input();
        if (input.empty()) break;
        receive(input.front());
    } while (port_.in_buffer_count() != 0);
    log_.flush();
}

void ReceiveStream::receive(char ch) {
    if (drop_line_feed_ && ch == '\n') {
        drop_line_feed_ = false;
        return;
    }
    drop_line_feed_ = false;
    if (watchdog_.asking()) {
        held_ += ch;
    } else {
        if (!held_.empty()) log_.append(std::exchange(held_, {}));  // the modem was asked, and did not answer
        log_.append(ch);
    }
    if (skip_next_) {
        skip_next_ = false;
        return;
    }
    if (ch == kDataLinkEscape) {
        light_state_ = !light_state_;
        listener_.lights_changed(light_state_);
        skip_next_ = true;
        return;
    }
    if (ch == kCarriageReturn) {
        const std::string line = std::move(line_buffer_);
        line_buffer_.clear();
        parser_.parse_line(line);
        if (watchdog_.asking()) while_asked(line);
        if (const bool error = is_reply(line, "ERROR"); (error || is_reply(line, "OK")) && result_code_) {
            result_code_(error);
        }
        return;
    }
    if (line_buffer_.size() < kMaxLine) line_buffer_.push_back(ch);
}

void ReceiveStream::while_asked(std::string_view line) {
    const std::size_t start = line.find_first_not_of("\n\r ");
    const std::string_view said = start == std::string_view::npos ? std::string_view{} : line.substr(start);
    if (said.empty() || said == "AT") return;  // the question's echo, or a line end: wait for the answer
    if (said == "OK") {
        drop_line_feed_ = true;  // the answer's own line end
    } else {
        log_.append(held_);
    }
    held_.clear();
    watchdog_.answered();
}

void ReceiveStream::set_light_state(bool on) { light_state_ = on; }

}  // namespace vantelmoor

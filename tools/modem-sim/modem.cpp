#include "modem.h"

#include <cctype>

namespace modem_sim {

namespace {

// Real modems keep a command buffer of a few dozen characters; longer lines get ERROR.
constexpr std::size_t kMaxLine = 255;

constexpr char kCr = '\r';
constexpr char kBackspace = '\b';
constexpr char kDelete = 0x7f;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The command body is upper-cased before parsing.
bool is_letter(char c) { return c >= 'A' && c <= 'Z'; }

std::string command_body(std::string_view line) {
    std::string body;
    for (char c : line.substr(2)) {
        if (c != ' ') {
            body += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return body;
}

std::size_t skip_digits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && is_digit(text[pos])) {
        ++pos;
    }
    return pos;
}

}  // namespace

Modem::Modem(const Profile& profile, bool echo) : profile_(&profile), stored_echo_(echo), echo_(echo) {}

void Modem::set_echo(bool on) {
    stored_echo_ = on;
    echo_ = on;
}

void Modem::power_on() {
    reset();
    line_.clear();
    overflow_ = false;
}

ModemOutput Modem::receive(std::string_view bytes) {
    ModemOutput out;
    for (char c : bytes) {
        // Echo comes first and with the setting in force when the character arrived.
        if (echo_) {
            out.bytes += c;
        }
        if (c == kCr) {
            if (line_.empty()) {
                continue;
            }
            std::string line;
            line.swap(line_);
            answering_ = false;
            std::string_view result = execute(line);
            // Answering starts a handshake that a modem reports on only when it ends; the
            // program hangs up long before.
            if (answering_ && result == "OK") result = "";
            if (!result.empty()) {
                out.bytes += "\r\n";
                out.bytes += result;
                out.bytes += "\r\n";
            }
            out.exchanges.push_back({line, std::string(result)});
            overflow_ = false;
        } else if (c == kBackspace || c == kDelete) {
            if (!line_.empty()) {
                line_.pop_back();
            }
        } else if (static_cast<unsigned char>(c) < 0x20) {
            // LF after CR and other control characters are not part of a command.
        } else if (line_.size() < kMaxLine) {
            line_ += c;
        } else {
            overflow_ = true;
        }
    }
    return out;
}

std::string_view Modem::execute(std::string_view line) {
    if (line.size() < 2 || std::toupper(static_cast<unsigned char>(line[0])) != 'A' ||
        std::toupper(static_cast<unsigned char>(line[1])) != 'T') {
        return {};
    }
    if (overflow_) {
        return "ERROR";
    }
    // A line may chain commands ("ATE0V1", "AT&F+VCID=1"); they run in order until one fails.
    const std::string body = command_body(line);
    const std::string_view text = body;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '+' || c == '#' || c == '%' || c == '*') {
            std::size_t end = text.find(';', pos);
            if (end == std::string_view::npos) {
                end = text.size();
            }
            if (!run_extended(text.substr(pos, end - pos))) {
                return "ERROR";
            }
            pos = end + 1;
        } else if (c == 'D') {
            // The dial string runs to the end of the line.
            pos = text.size();
        } else if (c == '&' || c == '\\') {
            if (pos + 1 >= text.size() || !is_letter(text[pos + 1])) {
                return "ERROR";
            }
            pos = skip_digits(text, pos + 2);
        } else if (c == 'S') {
            const std::size_t reg_end = skip_digits(text, pos + 1);
            if (reg_end == pos + 1) {
                return "ERROR";
            }
            pos = reg_end;
            if (pos < text.size() && text[pos] == '?') {
                ++pos;
            } else if (pos < text.size() && text[pos] == '=') {
                pos = skip_digits(text, pos + 1);
            }
        } else if (is_letter(c)) {
            const std::size_t value_end = skip_digits(text, pos + 1);
            if (!run_basic(c, text.substr(pos + 1, value_end - pos - 1))) {
                return "ERROR";
            }
            pos = value_end;
        } else {
            return "ERROR";
        }
    }
    return "OK";
}

bool Modem::run_basic(char command, std::string_view value) {
    switch (command) {
        case 'A':
            off_hook_ = true;
            answering_ = true;
            return true;
        case 'H':
            if (value.empty() || value == "0" || value == "1") {
                off_hook_ = value == "1";
                return true;
            }
            return false;
        case 'E':
            if (value.empty() || value == "0" || value == "1") {
                echo_ = value == "1";
                return true;
            }
            return false;
        case 'Z': reset(); return true;
        default: return true;
    }
}

bool Modem::run_extended(std::string_view command) {
    const std::size_t name_end = command.find_first_of("=?");
    const std::string_view name = command.substr(0, name_end);
    if (name != "+VCID" && name != "#VCID") {
        return true;
    }
    if (!(name == "+VCID" ? profile_->accepts_plus_vcid : profile_->accepts_hash_vcid)) {
        return false;
    }
    const std::string_view arg = name_end == std::string_view::npos ? "" : command.substr(name_end);
    if (arg.size() >= 2 && arg[0] == '=' && is_digit(arg[1])) {
        caller_id_ = arg[1] != '0';
    }
    return true;
}

void Modem::reset() {
    echo_ = stored_echo_;
    off_hook_ = false;
    caller_id_ = false;
}

}  // namespace modem_sim

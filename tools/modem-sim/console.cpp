#include "console.h"

#include <unistd.h>
#include <cstdio>
#include <utility>

namespace modem_sim {

namespace {

std::string without_cr(std::string line) {
    if (line.ends_with('\r')) {
        line.pop_back();
    }
    return line;
}

}  // namespace

std::vector<std::string> LineSplitter::feed(std::string_view bytes) {
    pending_ += bytes;
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = pending_.find('\n'); end != std::string::npos; end = pending_.find('\n', start)) {
        lines.push_back(without_cr(pending_.substr(start, end - start)));
        start = end + 1;
    }
    pending_.erase(0, start);
    return lines;
}

std::optional<std::string> LineSplitter::finish() {
    if (pending_.empty()) {
        return std::nullopt;
    }
    return without_cr(std::exchange(pending_, std::string()));
}

Console::Console(bool quiet) : quiet_(quiet), on_terminal_(isatty(STDOUT_FILENO) == 1) {}

void Console::print(std::string_view line) { write_line(line); }

void Console::note(std::string_view line) {
    if (!quiet_) {
        write_line(line);
    }
}

void Console::show_prompt() {
    if (quiet_ || prompt_shown_) {
        return;
    }
    std::fputs("modem> ", stdout);
    std::fflush(stdout);
    prompt_shown_ = true;
}

void Console::write_line(std::string_view line) {
    // Something that happens while the prompt waits replaces it (on a terminal) or goes on a new line.
    if (prompt_shown_) {
        std::fputs(on_terminal_ ? "\r\033[K" : "\n", stdout);
        prompt_shown_ = false;
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace modem_sim

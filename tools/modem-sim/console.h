#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace modem_sim {

// Cuts stdin into lines; a trailing CR (a harness on Windows line endings) is dropped.
class LineSplitter {
public:
    std::vector<std::string> feed(std::string_view bytes);
    // The unterminated last line, if any, once input has ended.
    std::optional<std::string> finish();

private:
    std::string pending_;
};

// stdout for a person or a harness. Result lines always appear; notes and the prompt only when not quiet.
class Console {
public:
    explicit Console(bool quiet);

    void print(std::string_view line);
    void note(std::string_view line);
    void show_prompt();
    // After Enter the terminal's cursor is at the start of a line again.
    void input_seen() { prompt_shown_ = false; }

private:
    void write_line(std::string_view line);

    bool quiet_;
    bool on_terminal_;
    bool prompt_shown_ = false;
};

}  // namespace modem_sim

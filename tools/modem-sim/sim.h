#pragma once

#include "byte_log.h"
#include "calls.h"
#include "console.h"
#include "modem.h"
#include "options.h"
#include "pty.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace modem_sim {

// The event loop: bytes from the program go through the modem, console commands from stdin play
// calls, and timers pace the rings. One poll() waits for all of it, so nothing ever sleeps.
class Sim {
public:
    // Opens the pseudo-terminal (and its link) and prints "PTY /dev/pts/N"; throws
    // std::system_error when it cannot.
    Sim(const Options& options, int stop_fd, ByteLog& log, Console& console);

    // Returns on "quit", at the end of stdin (unless --stay) or on a stop signal.
    void run();

private:
    using Clock = std::chrono::steady_clock;

    struct Call {
        std::vector<CallStep> steps;
        std::size_t next = 0;
        Clock::time_point start;
    };

    struct Command {
        std::string_view name;
        std::string_view args;
        std::string_view help;
        void (Sim::*run)(std::string_view args);
    };
    static const std::vector<Command>& commands();

    int poll_timeout() const;
    void read_port();
    void flush_port();
    void read_stdin();
    void handle_line(std::string_view line);

    void send(std::string_view bytes);
    // "done" goes out once everything queued so far has reached the port.
    void mark_done();
    void report_done();
    void start_call(const CallerInfo& caller);
    void play_due_steps();
    void end_call();
    void error(std::string_view message);

    void call_command(std::string_view args);
    void example_command(std::string_view args);
    void examples_command(std::string_view args);
    void raw_command(std::string_view args);
    void profile_command(std::string_view args);
    void echo_command(std::string_view args);
    void status_command(std::string_view args);
    void unplug_command(std::string_view args);
    void plug_command(std::string_view args);
    void off_command(std::string_view args);
    void on_command(std::string_view args);
    void help_command(std::string_view args);
    void plug_in();
    void quit_command(std::string_view args);

    const CallTiming timing_;
    const bool stay_;
    const std::string link_path_;
    std::optional<Pty> pty_;  // none while unplugged
    std::optional<PortLink> link_;
    int master_ = -1;
    const int stop_fd_;
    ByteLog& log_;
    Console& console_;
    Modem modem_;

    bool powered_ = true;  // off: takes what is sent, says nothing, as an RS-232 modem without power
    std::optional<Call> call_;
    std::string outgoing_;
    std::uint64_t queued_ = 0;
    std::uint64_t written_ = 0;
    std::deque<std::uint64_t> done_marks_;
    std::optional<Clock::time_point> port_paused_until_;
    LineSplitter stdin_lines_;
    bool stdin_open_ = true;
    bool running_ = true;
};

}  // namespace modem_sim

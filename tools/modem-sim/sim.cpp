#include "sim.h"

#include "escape.h"
#include "text.h"

#include <poll.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace modem_sim {

namespace {

// If the master ever reads EIO (no slave open at all), wait this long before trying it again
// rather than spinning on it.
constexpr std::chrono::milliseconds kPortRetry{200};

constexpr std::size_t kReadSize = 4096;

std::string describe(const ExampleCall& example) {
    std::string text = std::string(example.title) + ": NMBR=" + std::string(example.number);
    text += example.name.empty() ? " (no NAME line)" : " NAME=" + std::string(example.name);
    return text;
}

}  // namespace

Sim::Sim(const Options& options, int stop_fd, ByteLog& log, Console& console)
    : timing_(options.timing),
      stay_(options.stay),
      link_path_(options.link_path),
      stop_fd_(stop_fd),
      log_(log),
      console_(console),
      modem_(*options.profile, options.echo) {
    plug_in();
}

void Sim::plug_in() {
    pty_.emplace();
    master_ = pty_->master();
    if (!link_path_.empty()) link_.emplace(link_path_, pty_->slave_path());
    console_.print("PTY " + pty_->slave_path());
}

const std::vector<Sim::Command>& Sim::commands() {
    static const std::vector<Command> table = {
        {"call", "[date=MMDD] [time=HHMM] NUMBER [NAME...]", "ring with a caller-ID report", &Sim::call_command},
        {"example", "N", "play built-in example call N", &Sim::example_command},
        {"examples", "", "list the example calls", &Sim::examples_command},
        {"raw", "TEXT", "send TEXT with escapes \\r \\n \\t \\\\ \\xHH", &Sim::raw_command},
        {"profile", "NAME", "switch modem profile", &Sim::profile_command},
        {"echo", "on|off", "echo received characters (kept across ATZ)", &Sim::echo_command},
        {"status", "", "show hook state, echo, profile and call", &Sim::status_command},
        {"unplug", "", "take the modem away: the port's link goes, reads fail", &Sim::unplug_command},
        {"plug", "", "plug the modem in again on a new pseudo-terminal", &Sim::plug_command},
        {"off", "", "switch the modem off: the port stays, the modem says nothing", &Sim::off_command},
        {"on", "", "switch it on again, as after ATZ", &Sim::on_command},
        {"help", "", "this list", &Sim::help_command},
        {"quit", "", "end the sim", &Sim::quit_command},
    };
    return table;
}

void Sim::run() {
    while (running_) {
        const bool port_paused = port_paused_until_.has_value() || !pty_;
        const short port_events =
            static_cast<short>((port_paused ? 0 : POLLIN) | (outgoing_.empty() || port_paused ? 0 : POLLOUT));
        pollfd fds[] = {
            {stop_fd_, POLLIN, 0},
            {port_events != 0 ? master_ : -1, port_events, 0},
            {stdin_open_ ? STDIN_FILENO : -1, POLLIN, 0},
        };
        if (poll(fds, std::size(fds), poll_timeout()) < 0) {
            if (errno == EINTR) {
                continue;
            }
            error(std::string("poll: ") + std::strerror(errno));
            return;
        }
        if (fds[0].revents != 0) {
            console_.note("stopping on signal");
            return;
        }
        if ((fds[1].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            read_port();
        }
        if ((fds[1].revents & POLLOUT) != 0) {
            flush_port();
        }
        if (fds[2].revents != 0) {
            read_stdin();
        }
        if (port_paused_until_ && Clock::now() >= *port_paused_until_) {
            port_paused_until_.reset();
        }
        play_due_steps();
        if (running_ && stdin_open_) {
            console_.show_prompt();
        }
    }
}

int Sim::poll_timeout() const {
    std::optional<Clock::time_point> due = port_paused_until_;
    if (call_) {
        const auto step_due = call_->start + call_->steps[call_->next].at;
        due = due ? std::min(*due, step_due) : step_due;
    }
    if (!due) {
        return -1;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*due - Clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(wait.count(), 0));
}

void Sim::read_port() {
    char buf[kReadSize];
    const ssize_t n = read(master_, buf, sizeof buf);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
        return;
    }
    if (n <= 0) {
        port_paused_until_ = Clock::now() + kPortRetry;
        return;
    }
    const std::string_view bytes(buf, static_cast<std::size_t>(n));
    log_.record(Direction::received, bytes);
    if (!powered_) {
        return;  // nobody there to hear it
    }
    const ModemOutput out = modem_.receive(bytes);
    for (const Exchange& exchange : out.exchanges) {
        if (exchange.result.empty()) {
            console_.note("<- " + escape_bytes(exchange.command) + (modem_.off_hook() ? "" : " (ignored: no AT)"));
        } else {
            console_.note("<- " + escape_bytes(exchange.command));
            console_.note("-> " + exchange.result);
        }
    }
    send(out.bytes);
    if (call_ && modem_.off_hook()) {
        // The line stops ringing; what the modem has decoded of the report still goes out.
        auto& steps = call_->steps;
        const auto rings = std::remove_if(steps.begin() + static_cast<std::ptrdiff_t>(call_->next), steps.end(),
                                          [](const CallStep& step) { return step.ring; });
        if (rings != steps.end()) console_.note("call answered: no more rings");
        steps.erase(rings, steps.end());
        if (call_->next == steps.size()) end_call();
    }
}

void Sim::flush_port() {
    while (!outgoing_.empty()) {
        const ssize_t n = write(master_, outgoing_.data(), outgoing_.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno == EAGAIN) {
            break;  // the port's buffer is full; poll() says when it drains
        }
        if (n < 0) {
            // Nothing else can be done with these bytes; drop them so waiting commands finish.
            error(std::string("write to port: ") + std::strerror(errno));
            written_ += outgoing_.size();
            outgoing_.clear();
            break;
        }
        const auto count = static_cast<std::size_t>(n);
        log_.record(Direction::sent, std::string_view(outgoing_).substr(0, count));
        outgoing_.erase(0, count);
        written_ += count;
    }
    report_done();
}

void Sim::read_stdin() {
    char buf[kReadSize];
    const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
        return;
    }
    console_.input_seen();
    if (n > 0) {
        const std::string_view bytes(buf, static_cast<std::size_t>(n));
        for (const std::string& line : stdin_lines_.feed(bytes)) {
            if (!running_) {
                return;
            }
            handle_line(line);
        }
        return;
    }
    if (const auto last = stdin_lines_.finish(); last && running_) {
        handle_line(*last);
    }
    stdin_open_ = false;
    running_ = running_ && stay_;
}

void Sim::handle_line(std::string_view line) {
    const std::string_view text = trim(line);
    if (text.empty()) {
        return;
    }
    const std::string_view name = text.substr(0, text.find_first_of(" \t"));
    const std::string_view args = trim(text.substr(name.size()));
    const auto& table = commands();
    const auto command =
        std::find_if(table.begin(), table.end(), [&](const Command& candidate) { return candidate.name == name; });
    if (command == table.end()) {
        error("unknown command '" + std::string(name) + "' (try help)");
        return;
    }
    (this->*command->run)(args);
}

void Sim::send(std::string_view bytes) {
    if (bytes.empty() || !pty_) {
        return;  // an unplugged modem sends nothing
    }
    outgoing_ += bytes;
    queued_ += bytes.size();
    flush_port();
}

void Sim::mark_done() {
    done_marks_.push_back(queued_);
    report_done();
}

void Sim::report_done() {
    while (!done_marks_.empty() && done_marks_.front() <= written_) {
        done_marks_.pop_front();
        console_.print("done");
    }
}

void Sim::start_call(const CallerInfo& caller) {
    if (!pty_) {
        error("the modem is unplugged; plug it in first");
        return;
    }
    if (!powered_) {
        error("the modem is switched off; switch it on first");
        return;
    }
    if (call_) {
        error("a call is already ringing; wait for done");
        return;
    }
    if (modem_.off_hook()) {
        error("the line is off-hook; the program must hang up (ATH) first");
        return;
    }
    console_.note("call from " + caller.number + (caller.name.empty() ? "" : " " + caller.name));
    call_ = Call{plan_call(caller, modem_.profile(), timing_), 0, Clock::now()};
    play_due_steps();
}

void Sim::play_due_steps() {
    if (!call_) {
        return;
    }
    const auto now = Clock::now();
    while (call_->next < call_->steps.size() && call_->start + call_->steps[call_->next].at <= now) {
        const CallStep& step = call_->steps[call_->next++];
        console_.note("-> " + step.note);
        send(step.bytes);
    }
    if (call_->next == call_->steps.size()) {
        end_call();
    }
}

void Sim::end_call() {
    call_.reset();
    mark_done();
}

void Sim::error(std::string_view message) { console_.print("error: " + std::string(message)); }

void Sim::call_command(std::string_view args) {
    std::string problem;
    if (const auto caller = parse_call_args(args, problem)) {
        start_call(*caller);
    } else {
        error(problem);
    }
}

void Sim::example_command(std::string_view args) {
    const auto examples = example_calls();
    std::size_t number = 0;
    const auto [end, ec] = std::from_chars(args.data(), args.data() + args.size(), number);
    if (ec != std::errc() || end != args.data() + args.size() || number < 1 || number > examples.size()) {
        error("example needs a number from 1 to " + std::to_string(examples.size()));
        return;
    }
    const ExampleCall& example = examples[number - 1];
    start_call(CallerInfo{std::string(example.number), std::string(example.name)});
}

void Sim::examples_command(std::string_view) {
    const auto examples = example_calls();
    for (std::size_t i = 0; i < examples.size(); ++i) {
        console_.print("example " + std::to_string(i + 1) + " " + describe(examples[i]));
    }
}

void Sim::raw_command(std::string_view args) {
    std::string problem;
    const auto bytes = unescape(args, problem);
    if (!bytes) {
        error(problem);
        return;
    }
    if (bytes->empty()) {
        error("raw needs TEXT");
        return;
    }
    console_.note("-> raw " + escape_bytes(*bytes));
    send(*bytes);
    mark_done();
}

void Sim::profile_command(std::string_view args) {
    const Profile* profile = find_profile(args);
    if (profile == nullptr) {
        error("unknown profile '" + std::string(args) + "' (have: " + profile_names() + ")");
        return;
    }
    modem_.set_profile(*profile);
    console_.note("profile " + std::string(profile->name) + ": " + std::string(profile->summary));
    // A harness must know the change is in place before it makes the program talk to the modem.
    mark_done();
}

void Sim::echo_command(std::string_view args) {
    if (args != "on" && args != "off") {
        error("echo takes on or off");
        return;
    }
    modem_.set_echo(args == "on");
    console_.note("echo " + std::string(args));
    mark_done();
}

void Sim::status_command(std::string_view) {
    std::string line = "status hook=";
    line += modem_.off_hook() ? "off-hook" : "on-hook";
    line += " echo=";
    line += modem_.echo() ? "on" : "off";
    line += " profile=" + std::string(modem_.profile().name);
    line += " callerid=";
    line += modem_.caller_id_enabled() ? "on" : "off";
    line += " call=";
    line += call_ ? "ringing" : "idle";
    console_.print(line);
}

// The program's port fails as a USB modem's does when it is pulled out; plugging in makes a new
// pseudo-terminal and points the link at it, as Windows gives the same COM name to the device.
void Sim::unplug_command(std::string_view) {
    if (link_path_.empty()) {
        error("unplug needs --link: the program finds the modem again through it");
        return;
    }
    if (!pty_) {
        error("the modem is unplugged already");
        return;
    }
    if (call_) {
        end_call();
    }
    link_.reset();
    pty_.reset();
    master_ = -1;
    written_ += outgoing_.size();  // lost with the line
    outgoing_.clear();
    report_done();
    console_.note("unplugged");
    mark_done();
}

void Sim::plug_command(std::string_view) {
    if (pty_) {
        error("the modem is plugged in already");
        return;
    }
    plug_in();
    mark_done();
}

// An RS-232 modem without power: the port is still there and takes every byte, but no echo, no
// reply and no ring comes back, and no error either.
void Sim::off_command(std::string_view) {
    if (call_) {
        end_call();
    }
    powered_ = false;
    console_.note("switched off");
    mark_done();
}

void Sim::on_command(std::string_view) {
    powered_ = true;
    modem_.power_on();
    console_.note("switched on");
    mark_done();
}

void Sim::help_command(std::string_view) {
    for (const Command& command : commands()) {
        std::string usage(command.name);
        if (!command.args.empty()) {
            usage += ' ';
            usage += command.args;
        }
        usage.resize(std::max<std::size_t>(usage.size() + 2, 50), ' ');
        console_.print(usage + std::string(command.help));
    }
    console_.print("profiles: " + profile_names());
}

void Sim::quit_command(std::string_view) { running_ = false; }

}  // namespace modem_sim

#include "options.h"

#include <charconv>

namespace modem_sim {

namespace {

std::optional<bool> parse_on_off(std::string_view text) {
    if (text == "on") {
        return true;
    }
    if (text == "off") {
        return false;
    }
    return std::nullopt;
}

std::optional<std::chrono::milliseconds> parse_millis(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return std::chrono::milliseconds{value};
}

// Applies one option that takes a value. Returns false with `error` set when the value is bad.
bool apply_value(Options& options, std::string_view name, std::string_view value, std::string& error) {
    if (name == "--profile") {
        options.profile = find_profile(value);
        if (options.profile == nullptr) {
            error = "unknown profile '" + std::string(value) + "' (have: " + profile_names() + ")";
        }
        return options.profile != nullptr;
    }
    if (name == "--echo") {
        const auto on = parse_on_off(value);
        if (!on) {
            error = "--echo takes on or off";
        }
        options.echo = on.value_or(options.echo);
        return on.has_value();
    }
    if (name == "--log") {
        options.log_path = value;
        return true;
    }
    if (name == "--link") {
        options.link_path = value;
        return true;
    }
    // What is left are the timing options.
    auto& field = name == "--report-delay" ? options.timing.report_delay
                  : name == "--line-delay" ? options.timing.line_delay
                                           : options.timing.ring_interval;
    const auto millis = parse_millis(value);
    if (!millis) {
        error = std::string(name) + " takes a whole number of milliseconds";
        return false;
    }
    field = *millis;
    return true;
}

bool takes_value(std::string_view name) {
    return name == "--profile" || name == "--echo" || name == "--log" || name == "--link" || name == "--report-delay" ||
           name == "--ring-interval" || name == "--line-delay";
}

}  // namespace

std::optional<Options> parse_options(std::span<const std::string_view> args, std::string& error) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        std::optional<std::string_view> value;
        if (const std::size_t eq = name.find('='); name.starts_with("--") && eq != std::string_view::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (takes_value(name)) {
            if (!value && i + 1 == args.size()) {
                error = std::string(name) + " needs a value";
                return std::nullopt;
            }
            if (!apply_value(options, name, value ? *value : args[++i], error)) {
                return std::nullopt;
            }
        } else if (value) {
            error = std::string(name) + " takes no value";
            return std::nullopt;
        } else if (name == "--quiet") {
            options.quiet = true;
        } else if (name == "--stay") {
            options.stay = true;
        } else if (name == "--help" || name == "-h") {
            options.help = true;
        } else {
            error = "unknown option '" + std::string(name) + "'";
            return std::nullopt;
        }
    }
    return options;
}

std::string usage() {
    return "usage: modem-sim [options]\n"
           "Simulates a caller-ID modem on a pseudo-terminal; prints \"PTY /dev/pts/N\" first.\n"
           "\n"
           "  --profile NAME        modem behaviour (" +
           profile_names() +
           ")\n"
           "  --echo on|off         echo received characters, as E1/E0 (default on)\n"
           "  --log FILE            log every byte in (RX) and out (TX) with timestamps\n"
           "  --link PATH           also make PATH a symlink to the pseudo-terminal\n"
           "  --quiet               no prompt and no notes; for test harnesses\n"
           "  --stay                keep running when stdin closes (until SIGTERM)\n"
           "  --report-delay MS     gap between the report and the ring next to it (default 1000)\n"
           "  --ring-interval MS    gap between rings (default 6000)\n"
           "  --line-delay MS       gap between the report's lines (default 0: one piece)\n"
           "  --help                this text\n"
           "\n"
           "Type 'help' at the prompt for the console commands.\n";
}

}  // namespace modem_sim

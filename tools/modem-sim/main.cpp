// modem-sim: a caller-ID modem on a pseudo-terminal, for running the call screener against without
// a phone line. See README.md.
#include "byte_log.h"
#include "console.h"
#include "options.h"
#include "signals.h"
#include "sim.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

int main(int argc, char** argv) {
    using namespace modem_sim;

    const std::vector<std::string_view> args(argv + 1, argv + argc);
    std::string problem;
    const std::optional<Options> options = parse_options(args, problem);
    if (!options) {
        std::fprintf(stderr, "modem-sim: %s (try --help)\n", problem.c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(usage().c_str(), stdout);
        return 0;
    }
    try {
        const int stop_fd = install_stop_signals();
        ByteLog log;
        if (!options->log_path.empty() && !log.open(options->log_path)) {
            const int err = errno;
            throw std::system_error(err, std::generic_category(), "open " + options->log_path);
        }
        Console console(options->quiet);
        Sim(*options, stop_fd, log, console).run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "modem-sim: %s\n", e.what());
        return 1;
    }
    return 0;
}

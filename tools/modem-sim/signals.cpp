#include "signals.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <system_error>

namespace modem_sim {

namespace {

int g_wake_fd = -1;

void on_stop_signal(int signal_number) {
    const int saved_errno = errno;
    const char byte = static_cast<char>(signal_number);
    [[maybe_unused]] const ssize_t written = write(g_wake_fd, &byte, 1);
    errno = saved_errno;
}

}  // namespace

int install_stop_signals() {
    int fds[2];
    if (pipe(fds) < 0) {
        throw std::system_error(errno, std::generic_category(), "pipe");
    }
    for (int fd : fds) {
        fcntl(fd, F_SETFD, FD_CLOEXEC);
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    g_wake_fd = fds[1];

    struct sigaction action {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    for (int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal_number, &action, nullptr);
    }
    signal(SIGPIPE, SIG_IGN);
    return fds[0];
}

}  // namespace modem_sim

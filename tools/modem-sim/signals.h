#pragma once

namespace modem_sim {

// Routes SIGTERM, SIGINT and SIGHUP to a pipe the event loop polls, so they end the sim from the
// loop (and its cleanup runs) rather than inside a handler. Ignores SIGPIPE so that a vanished
// reader of stdout cannot kill the sim before that cleanup. Returns the pipe's read end; throws
// std::system_error.
int install_stop_signals();

}  // namespace modem_sim

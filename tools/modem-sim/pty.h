#pragma once

#include <string>

namespace modem_sim {

// A pseudo-terminal pair in raw mode at 9600 baud. The sim keeps its own slave descriptor open for
// its whole life: the program under test may close and reopen the port, and with no slave open
// the master would read EIO and report hang-ups. Throws std::system_error on failure.
class Pty {
public:
    Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;
    ~Pty();

    int master() const { return master_; }
    const std::string& slave_path() const { return slave_path_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slave_path_;
};

// A symlink to the slave, for programs configured with a fixed port name. Replaces an older symlink
// at the path (never a regular file); removed again on destruction if it still points to us.
class PortLink {
public:
    PortLink(std::string path, const std::string& target);
    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;
    ~PortLink();

private:
    std::string path_;
    std::string target_;
};

}  // namespace modem_sim

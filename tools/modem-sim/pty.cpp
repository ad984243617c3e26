#include "pty.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <system_error>
#include <utility>

namespace modem_sim {

namespace {

[[noreturn]] void fail(std::string_view what, std::string_view subject = {}) {
    const int err = errno;  // before building the message can touch it
    std::string message(what);
    if (!subject.empty()) {
        message += " ";
        message += subject;
    }
    throw std::system_error(err, std::generic_category(), message);
}

void set_close_on_exec(int fd) {
    if (fcntl(fd, F_SETFD, FD_CLOEXEC) < 0) {
        fail("fcntl(FD_CLOEXEC)");
    }
}

}  // namespace

Pty::Pty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        fail("posix_openpt");
    }
    try {
        set_close_on_exec(master_);
        if (grantpt(master_) < 0 || unlockpt(master_) < 0) {
            fail("grantpt/unlockpt");
        }
        const char* name = ptsname(master_);
        if (name == nullptr) {
            fail("ptsname");
        }
        slave_path_ = name;
        slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (slave_ < 0) {
            fail("open", slave_path_);
        }
        termios tio{};
        if (tcgetattr(slave_, &tio) < 0) {
            fail("tcgetattr");
        }
        cfmakeraw(&tio);
        cfsetispeed(&tio, B9600);
        cfsetospeed(&tio, B9600);
        if (tcsetattr(slave_, TCSANOW, &tio) < 0) {
            fail("tcsetattr");
        }
        // Writes must never stall the event loop when nobody drains the port.
        const int flags = fcntl(master_, F_GETFL);
        if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) < 0) {
            fail("fcntl(O_NONBLOCK)");
        }
    } catch (...) {
        if (slave_ >= 0) {
            ::close(slave_);
        }
        ::close(master_);
        throw;
    }
}

Pty::~Pty() {
    ::close(slave_);
    ::close(master_);
}

PortLink::PortLink(std::string path, const std::string& target) : path_(std::move(path)), target_(target) {
    struct stat st {};
    if (lstat(path_.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            errno = EEXIST;
            fail("not replacing a non-symlink at", path_);
        }
        if (unlink(path_.c_str()) < 0) {
            fail("unlink", path_);
        }
    }
    if (symlink(target_.c_str(), path_.c_str()) < 0) {
        fail("symlink", path_);
    }
}

PortLink::~PortLink() {
    // Another sim may have taken the name over since; leave its link alone.
    char buf[4096];
    const ssize_t len = readlink(path_.c_str(), buf, sizeof buf);
    if (len >= 0 && std::string(buf, static_cast<std::size_t>(len)) == target_) {
        unlink(path_.c_str());
    }
}

}  // namespace modem_sim

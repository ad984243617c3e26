#include "byte_log.h"

#include "escape.h"

namespace modem_sim {

std::string format_log_line(const timespec& when, Direction direction, std::string_view bytes) {
    char stamp[48];
    const long micros = when.tv_nsec / 1000;
    std::snprintf(stamp, sizeof stamp, "%lld.%06ld ", static_cast<long long>(when.tv_sec), micros);
    std::string line = stamp;
    line += direction == Direction::received ? "RX " : "TX ";
    line += escape_bytes(bytes);
    line += '\n';
    return line;
}

ByteLog::~ByteLog() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool ByteLog::open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void ByteLog::record(Direction direction, std::string_view bytes) {
    if (file_ == nullptr || bytes.empty()) {
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const std::string line = format_log_line(now, direction, bytes);
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
}

}  // namespace modem_sim

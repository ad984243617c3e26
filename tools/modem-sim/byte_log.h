#pragma once

#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>

namespace modem_sim {

enum class Direction { received, sent };

// "<epoch seconds with 6 decimals> RX|TX <escaped bytes>\n"
std::string format_log_line(const timespec& when, Direction direction, std::string_view bytes);

// Every byte across the port with the time it crossed. Flushed per line so a test can read the file
// while the sim runs. Does nothing until opened.
class ByteLog {
public:
    ByteLog() = default;
    ByteLog(const ByteLog&) = delete;
    ByteLog& operator=(const ByteLog&) = delete;
    ~ByteLog();

    // Truncates the file. Returns false with errno set when it cannot be opened.
    bool open(const std::string& path);
    void record(Direction direction, std::string_view bytes);

private:
    std::FILE* file_ = nullptr;
};

}  // namespace modem_sim

#pragma once
// The serial port the modem hangs on: the handful of operations the call monitor drives it with.
// A failure is a number and a readable text; 8002 and 8005 are the two the session tells apart.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vantelmoor {

struct PortError {
    int number = 0;
    std::string description;
};

inline constexpr int kPortInvalid = 8002;      // the port number does not exist
inline constexpr int kPortAlreadyOpen = 8005;  // open already, here or in another program
inline constexpr int kPortNotOpen = 8018;      // an operation that needs an open port

inline constexpr int kCommEventReceive = 2;  // characters have arrived

using PortResult = std::optional<PortError>;

class ModemPort {
public:
    virtual ~ModemPort() = default;

    [[nodiscard]] virtual int comm_port() const = 0;
    virtual void set_comm_port(int number) = 0;

    [[nodiscard]] virtual bool port_open() const = 0;
    [[nodiscard]] virtual PortResult open() = 0;
    virtual void close() = 0;

    // One receive event per arriving character (1), and one character a read (1).
    virtual void set_rthreshold(int characters) = 0;
    virtual void set_input_len(int characters) = 0;

    // Sends the bytes; fails rather than wait more than a couple of seconds for the device.
    [[nodiscard]] virtual PortResult output(std::string_view text) = 0;
    // Takes up to the input length of waiting characters from the receive buffer.
    [[nodiscard]] virtual std::string input() = 0;
    [[nodiscard]] virtual int in_buffer_count() const = 0;
    [[nodiscard]] virtual int comm_event() const = 0;

    // Called on the user-interface thread after characters have arrived.
    virtual void set_on_comm(std::function<void()> handler) = 0;
    // Called on the user-interface thread when the open port stopped working (a modem unplugged,
    // a driver that gave up). The port stays open until it is closed.
    virtual void set_on_lost(std::function<void(const PortError&)> handler) = 0;
};

}  // namespace vantelmoor

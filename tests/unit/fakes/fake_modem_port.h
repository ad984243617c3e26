#pragma once
// A serial port with a scripted modem behind it: which port numbers exist or are held elsewhere,
// what was written and when, bytes that arrive as receive events, and a device that goes away.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/event_pump.h"
#include "platform/modem_port.h"

namespace vantelmoor::test {

struct Written {
    double at;
    std::string text;
};

class FakeModemPort : public ModemPort {
public:
    explicit FakeModemPort(const Clock& clock) : clock_(clock) {}

    // Port numbers that exist, and the failure of those that cannot be opened.
    std::map<int, PortResult> ports{{1, std::nullopt}};
    std::vector<Written> writes;
    std::vector<int> opened;                           // port numbers in the order they were opened
    std::function<void(const std::string&)> on_write;  // the modem's side of a write
    PortResult write_failure;                          // every write fails with this

    void arrive(const std::string& bytes) {
        buffer_ += bytes;
        if (open_ && on_comm_) on_comm_();
    }
    // The device goes away (unplugged): reads fail, and so does opening it until it is back.
    void unplug() {
        ports[port_] = PortError{kPortInvalid, "Invalid port number"};
        if (open_ && on_lost_) on_lost_(PortError{109, "The pipe has been ended."});
    }
    void plug_in() { ports[port_] = std::nullopt; }
    [[nodiscard]] std::vector<std::string> written_texts() const {
        std::vector<std::string> texts;
        for (const auto& w : writes) texts.push_back(w.text);
        return texts;
    }

    int comm_port() const override { return port_; }
    void set_comm_port(int number) override { port_ = number; }
    bool port_open() const override { return open_; }
    PortResult open() override {
        if (open_) return PortError{kPortAlreadyOpen, "Port already open"};
        const auto it = ports.find(port_);
        if (it == ports.end()) return PortError{kPortInvalid, "Invalid port number"};
        if (it->second) return it->second;
        open_ = true;
        opened.push_back(port_);
        return std::nullopt;
    }
    void close() override { open_ = false; }
    void set_rthreshold(int characters) override { rthreshold = characters; }
    void set_input_len(int characters) override { input_len = characters; }
    PortResult output(std::string_view text) override {
        if (!open_) return PortError{kPortNotOpen, "Operation valid only when the port is open"};
        if (write_failure) return write_failure;
        writes.push_back({clock_.now_seconds(), std::string(text)});
        if (on_write) on_write(std::string(text));
        return std::nullopt;
    }
    std::string input() override {
        std::string taken = buffer_.substr(0, input_len == 0 ? std::string::npos : static_cast<std::size_t>(input_len));
        buffer_.erase(0, taken.size());
        return taken;
    }
    int in_buffer_count() const override { return open_ ? static_cast<int>(buffer_.size()) : 0; }
    int comm_event() const override { return kCommEventReceive; }
    void set_on_comm(std::function<void()> handler) override { on_comm_ = std::move(handler); }
    void set_on_lost(std::function<void(const PortError&)> handler) override { on_lost_ = std::move(handler); }

    int rthreshold = 0;
    int input_len = 0;

private:
    const Clock& clock_;
    int port_ = 1;
    bool open_ = false;
    std::string buffer_;
    std::function<void()> on_comm_;
    std::function<void(const PortError&)> on_lost_;
};

}  // namespace vantelmoor::test

#pragma once
// The modem's serial port on \\.\COMn: 9600 bit/s, 8 data bits, no parity, 1 stop bit, no flow
// control, DTR and RTS asserted while open. A reader thread keeps one overlapped read pending and
// hands what arrives to the user-interface thread as a posted message; a read that fails (the
// device unplugged, the driver gone) is posted the same way. Program logic never runs on the
// reader thread, and nothing polls.

#include <windows.h>

#include <deque>
#include <functional>

#include "platform/modem_port.h"
#include "platform/win32/handles.h"

namespace vantelmoor::win32 {

// How a failed CreateFile on a COM name is reported: a name that does not exist is 8002, one that
// is open already (here, or held by another program) 8005, anything else the system's own error.
PortError map_open_error(DWORD error);
// Writes `text` to a device opened for overlapped I/O, waiting `limit_ms` at most: a write not
// taken by then is cancelled and waited for, so that nothing of it outlives the call.
PortResult write_within(HANDLE device, HANDLE done_event, std::string_view text, DWORD limit_ms);

class Win32SerialPort final : public ModemPort {
public:
    // A write that the device has not taken after this long fails instead of holding the window.
    static constexpr DWORD kWriteTimeoutMs = 2000;

    // Throws std::runtime_error when the system cannot give it what it needs to run.
    Win32SerialPort();
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    int comm_port() const override { return port_number_; }
    void set_comm_port(int number) override { port_number_ = number; }
    bool port_open() const override { return device_.valid(); }
    PortResult open() override;
    void close() override;
    void set_rthreshold(int characters) override { rthreshold_ = characters; }
    void set_input_len(int characters) override { input_len_ = characters; }
    PortResult output(std::string_view text) override;
    std::string input() override;
    int in_buffer_count() const override;
    int comm_event() const override { return comm_event_; }
    void set_on_comm(std::function<void()> handler) override { on_comm_ = std::move(handler); }
    void set_on_lost(std::function<void(const PortError&)> handler) override { on_lost_ = std::move(handler); }

private:
    PortResult configure(HANDLE device);
    static DWORD WINAPI reader_main(void* self);
    void reader_loop();
    DWORD read_some(HANDLE done_event, char* buffer, DWORD wanted, DWORD& got);
    void deliver(const char* bytes, DWORD count);
    static LRESULT CALLBACK notify_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void on_received();
    void on_lost(DWORD error, unsigned opened);

    int port_number_ = 1;
    int rthreshold_ = 0;
    int input_len_ = 0;
    int comm_event_ = 0;
    std::function<void()> on_comm_;
    std::function<void(const PortError&)> on_lost_;

    FileHandle device_;
    unsigned opened_ = 0;  // counts the opens, so a failure of an earlier opening is not taken for this one's
    KernelHandle stop_event_;
    KernelHandle write_event_;
    KernelHandle reader_;
    WindowHandle notify_window_;

    mutable CRITICAL_SECTION lock_{};
    std::deque<char> received_;   // guarded by lock_
    bool notify_posted_ = false;  // guarded by lock_
};

}  // namespace vantelmoor::win32

#include "platform/win32/serial_port_win32.h"

#include <stdexcept>
#include <string>

#include "platform/win32/message_window.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unexpected.h"

namespace vantelmoor::win32 {
namespace {

constexpr UINT kReceivedMessage = WM_APP + 1;
constexpr UINT kLostMessage = WM_APP + 2;  // wparam: the error, lparam: which opening
constexpr char kNotifyClass[] = "VantelmoorPortEvents";
constexpr DWORD kDrainChunk = 256;
constexpr DWORD kStopped = ~DWORD{0};  // read_some: the port is being closed
// A read that waits for its first byte ends empty only when the device's end is gone (a tty hung
// up under Wine, a USB modem pulled from a Linux host); a few in a row tell that from a stray one.
constexpr int kEmptyReadsForGone = 3;
constexpr DWORD kHungUp = ERROR_HANDLE_EOF;  // posted as the error of such a port

PortError port_error(DWORD error) {
    if (error == kHungUp) return {static_cast<int>(error), "the modem's end of the port has closed"};
    return {static_cast<int>(error), system_error_text(error)};
}

[[noreturn]] void cannot_run(const char* what) {
    throw std::runtime_error(std::string("The serial port cannot work: ") + what + " (" +
                             system_error_text(GetLastError()) + ").");
}

}  // namespace

PortError map_open_error(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_UNIT: return {kPortInvalid, "Invalid port number"};
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION: return {kPortAlreadyOpen, "Port already open"};
        default: return port_error(error);
    }
}

Win32SerialPort::Win32SerialPort() {
    InitializeCriticalSection(&lock_);
    notify_window_ = make_message_window(kNotifyClass, &Win32SerialPort::notify_proc, this);
    stop_event_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    write_event_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!notify_window_ || !stop_event_ || !write_event_) {
        DeleteCriticalSection(&lock_);
        cannot_run("no window or event for its notifications");
    }
}

Win32SerialPort::~Win32SerialPort() {
    close();
    DeleteCriticalSection(&lock_);
}

PortResult Win32SerialPort::open() {
    if (port_open()) return PortError{kPortAlreadyOpen, "Port already open"};
    const std::string name = "\\\\.\\COM" + std::to_string(port_number_);
    FileHandle device(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OVERLAPPED, nullptr));
    if (!device) return map_open_error(GetLastError());
    if (PortResult failure = configure(device.get())) return failure;

    device_ = std::move(device);
    ++opened_;
    ResetEvent(stop_event_.get());
    reader_.reset(CreateThread(nullptr, 0, &Win32SerialPort::reader_main, this, 0, nullptr));
    if (!reader_) {
        const DWORD error = GetLastError();
        device_.reset();
        return port_error(error);
    }
    return std::nullopt;
}

PortResult Win32SerialPort::configure(HANDLE device) {
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    // A name that opens but has no comm state is no serial device: to the scan it does not exist.
    if (!GetCommState(device, &dcb)) return PortError{kPortInvalid, "Invalid port number"};
    if (!SetupComm(device, 4096, 4096)) return port_error(GetLastError());
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    // DTR and RTS raised by the state itself: a modem takes commands only with DTR up.
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    if (!SetCommState(device, &dcb)) return port_error(GetLastError());

    // Reads wait for their first byte however long it takes; the reader thread drains the rest.
    // Writes give up after a while, so a stalled driver cannot hold the window.
    COMMTIMEOUTS timeouts{};
    timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    if (!SetCommTimeouts(device, &timeouts)) return port_error(GetLastError());
    if (!PurgeComm(device, PURGE_RXCLEAR | PURGE_TXCLEAR)) return port_error(GetLastError());
    return std::nullopt;
}

void Win32SerialPort::close() {
    if (!port_open()) return;
    SetEvent(stop_event_.get());
    if (reader_) WaitForSingleObject(reader_.get(), INFINITE);
    reader_.reset();
    // Closing drops DTR, which tells the modem to hang up.
    device_.reset();
    Lock hold(lock_);
    received_.clear();
}

PortResult write_within(HANDLE device, HANDLE done_event, std::string_view text, DWORD limit_ms) {
    const PortError not_taken{static_cast<int>(ERROR_TIMEOUT), "The modem did not take the command within 2 seconds"};
    OVERLAPPED overlapped{};
    ResetEvent(done_event);
    overlapped.hEvent = done_event;
    DWORD written = 0;
    if (WriteFile(device, text.data(), static_cast<DWORD>(text.size()), &written, &overlapped)) {
        return written == text.size() ? PortResult{} : not_taken;
    }
    if (GetLastError() != ERROR_IO_PENDING) return port_error(GetLastError());
    if (WaitForSingleObject(done_event, limit_ms) != WAIT_OBJECT_0) {
        CancelIo(device);
        GetOverlappedResult(device, &overlapped, &written, TRUE);  // the system lets go of `overlapped`
        return not_taken;
    }
    if (!GetOverlappedResult(device, &overlapped, &written, FALSE)) return port_error(GetLastError());
    return written == text.size() ? PortResult{} : not_taken;
}

// The driver's own write timeout should end a write first; the wait bounds a driver that ignores it.
PortResult Win32SerialPort::output(std::string_view text) {
    if (!port_open()) return PortError{kPortNotOpen, "Operation valid only when the port is open"};
    return write_within(device_.get(), write_event_.get(), text, kWriteTimeoutMs + 500);
}

std::string Win32SerialPort::input() {
    Lock hold(lock_);
    std::string taken;
    while (!received_.empty() && (input_len_ == 0 || static_cast<int>(taken.size()) < input_len_)) {
        taken += received_.front();
        received_.pop_front();
    }
    return taken;
}

int Win32SerialPort::in_buffer_count() const {
    Lock hold(lock_);
    return static_cast<int>(received_.size());
}

// Nothing may escape a thread: the process would end. What can fail here is memory for what the
// modem sent, and the port is then reported lost, to be opened again.
DWORD WINAPI Win32SerialPort::reader_main(void* self) {
    auto* port = static_cast<Win32SerialPort*>(self);
    try {
        port->reader_loop();
    } catch (...) {
        const auto opening = static_cast<LPARAM>(port->opened_);
        PostMessageA(port->notify_window_.get(), kLostMessage, ERROR_NOT_ENOUGH_MEMORY, opening);
    }
    return 0;
}

// One read pending at a time: 0 when it completed, kStopped when the port is being closed,
// otherwise the system's error.
DWORD Win32SerialPort::read_some(HANDLE done_event, char* buffer, DWORD wanted, DWORD& got) {
    OVERLAPPED overlapped{};
    ResetEvent(done_event);
    overlapped.hEvent = done_event;
    got = 0;
    if (ReadFile(device_.get(), buffer, wanted, &got, &overlapped)) return 0;
    if (GetLastError() != ERROR_IO_PENDING) return GetLastError();
    const HANDLE waits[2] = {stop_event_.get(), done_event};
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) {
        CancelIo(device_.get());
        GetOverlappedResult(device_.get(), &overlapped, &got, TRUE);
        return kStopped;
    }
    return GetOverlappedResult(device_.get(), &overlapped, &got, FALSE) ? 0 : GetLastError();
}

void Win32SerialPort::reader_loop() {
    const KernelHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const LPARAM opening = static_cast<LPARAM>(opened_);
    const auto lost = [&](DWORD error) {
        if (error != kStopped) PostMessageA(notify_window_.get(), kLostMessage, error, opening);
    };
    if (!done) return lost(GetLastError());
    char buffer[kDrainChunk];
    int empty_reads = 0;
    for (;;) {
        DWORD got = 0;
        if (const DWORD error = read_some(done.get(), buffer, 1, got)) return lost(error);
        if (got == 0) {
            if (++empty_reads >= kEmptyReadsForGone) return lost(kHungUp);
            // Rest a moment rather than spin.
            if (WaitForSingleObject(stop_event_.get(), 20) == WAIT_OBJECT_0) return;
            continue;
        }
        empty_reads = 0;
        deliver(buffer, got);
        DWORD errors = 0;
        COMSTAT status{};
        for (;;) {
            if (!ClearCommError(device_.get(), &errors, &status)) return lost(GetLastError());
            if (status.cbInQue == 0) break;
            if (const DWORD error = read_some(done.get(), buffer, std::min<DWORD>(status.cbInQue, kDrainChunk), got)) {
                return lost(error);
            }
            deliver(buffer, got);
        }
    }
}

void Win32SerialPort::deliver(const char* bytes, DWORD count) {
    Lock hold(lock_);
    received_.insert(received_.end(), bytes, bytes + count);
    if (!notify_posted_) notify_posted_ = PostMessageA(notify_window_.get(), kReceivedMessage, 0, 0) != FALSE;
}

LRESULT CALLBACK Win32SerialPort::notify_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* port = message_window_owner<Win32SerialPort>(window);
    if (port && message == kReceivedMessage) {
        port->on_received();
        return 0;
    }
    if (port && message == kLostMessage) {
        port->on_lost(static_cast<DWORD>(wparam), static_cast<unsigned>(lparam));
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

void Win32SerialPort::on_received() {
    {
        Lock hold(lock_);
        notify_posted_ = false;
        if (received_.empty()) return;
    }
    comm_event_ = kCommEventReceive;
    if (rthreshold_ > 0 && on_comm_) contain("reading what the modem sent", on_comm_);
}

void Win32SerialPort::on_lost(DWORD error, unsigned opening) {
    // Reported for an opening that has been closed since: nothing is lost any more.
    if (!port_open() || opening != opened_ || !on_lost_) return;
    contain("handling a modem that stopped working", [&] { on_lost_(port_error(error)); });
}

}  // namespace vantelmoor::win32

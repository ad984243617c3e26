// The serial port's failure numbers (the session tells them apart) and its bounded write.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/win32/serial_port_win32.h"

namespace vantelmoor {
namespace {

TEST(SerialPortErrorTest, MissingPortsAre8002HeldPorts8005OthersCarryTheSystemsNumberAndAClosedPortSendsNothing) {
    win32::Win32SerialPort port;
    port.set_comm_port(97);  // no COM97 on this machine: CreateFile fails with ERROR_FILE_NOT_FOUND
    EXPECT_EQ(port.open().value_or(PortError{}).number, kPortInvalid);
    EXPECT_EQ(port.output("ATH\r").value_or(PortError{}).number, kPortNotOpen);
    EXPECT_EQ(win32::map_open_error(ERROR_PATH_NOT_FOUND).number, kPortInvalid);
    EXPECT_EQ(win32::map_open_error(ERROR_ACCESS_DENIED).number, kPortAlreadyOpen);
    EXPECT_EQ(win32::map_open_error(ERROR_SHARING_VIOLATION).number, kPortAlreadyOpen);
    const PortError other = win32::map_open_error(ERROR_GEN_FAILURE);
    EXPECT_EQ(other.number, static_cast<int>(ERROR_GEN_FAILURE));
    EXPECT_NE(other.description, "");
    EXPECT_EQ(other.description.find('\n'), std::string::npos);
}

// A stalled driver (a pipe no one reads): the write comes back cancelled at its limit, and the next one goes through.
TEST(SerialPortTest, AWriteNeverTakenIsCancelledAtItsLimitAndTheNextGoesThrough) {
    const std::string name = "\\\\.\\pipe\\vantelmoor-write-" + std::to_string(GetCurrentProcessId());
    const win32::FileHandle reader(
        CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 1, 0, nullptr));
    ASSERT_TRUE(reader);
    const win32::FileHandle device(
        CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    ASSERT_TRUE(device);
    const win32::KernelHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));

    const PortResult stalled = win32::write_within(device.get(), done.get(), std::string(1 << 20, 'A'), 200);
    EXPECT_EQ(stalled.value_or(PortError{}).number, static_cast<int>(ERROR_TIMEOUT));

    std::string heard;
    std::thread drain([&] {
        char buffer[4096];
        DWORD got = 0;
        while (heard.find("AT\r") == std::string::npos && ReadFile(reader.get(), buffer, sizeof(buffer), &got, nullptr))
            heard.append(buffer, got);
    });
    EXPECT_EQ(win32::write_within(device.get(), done.get(), "AT\r", 10000), std::nullopt);
    drain.join();
    EXPECT_EQ(heard.substr(heard.size() - 3), "AT\r");
}

}  // namespace
}  // namespace vantelmoor

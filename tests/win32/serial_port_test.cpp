// The serial port's failure numbers: what the session tells apart must come out of the real calls.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/serial_port_win32.h"

namespace vantelmoor {
namespace {

TEST(SerialPortErrorTest, MissingPortsAre8002AndHeldPorts8005) {
    EXPECT_EQ(win32::map_open_error(ERROR_FILE_NOT_FOUND).number, kPortInvalid);
    EXPECT_EQ(win32::map_open_error(ERROR_PATH_NOT_FOUND).number, kPortInvalid);
    EXPECT_EQ(win32::map_open_error(ERROR_ACCESS_DENIED).number, kPortAlreadyOpen);
    EXPECT_EQ(win32::map_open_error(ERROR_SHARING_VIOLATION).number, kPortAlreadyOpen);
}

TEST(SerialPortErrorTest, OtherFailuresCarryTheSystemNumberAndText) {
    const PortError error = win32::map_open_error(ERROR_GEN_FAILURE);
    EXPECT_EQ(error.number, static_cast<int>(ERROR_GEN_FAILURE));
    EXPECT_FALSE(error.description.empty());
    EXPECT_EQ(error.description.find('\n'), std::string::npos);
}

TEST(SerialPortTest, PortNumberWithNoDeviceFailsWith8002) {
    win32::Win32SerialPort port;
    port.set_comm_port(97);  // no COM97 on this machine
    const PortResult result = port.open();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->number, kPortInvalid);
    EXPECT_FALSE(port.port_open());
}

TEST(SerialPortTest, WritingToAClosedPortFailsWithoutSending) {
    win32::Win32SerialPort port;
    const PortResult result = port.output("ATH\r");
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->number, kPortNotOpen);
    EXPECT_EQ(port.in_buffer_count(), 0);
    EXPECT_EQ(port.input(), "");
}

}  // namespace
}  // namespace vantelmoor

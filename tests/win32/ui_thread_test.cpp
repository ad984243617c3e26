// Timer ticks, a background job's result and what the modem sent reach the user-interface thread as messages; an
// exception there is told, and the program goes on with its next event.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "platform/win32/background_work.h"
#include "platform/win32/serial_port_win32.h"
#include "platform/win32/timers_win32.h"
#include "platform/win32/unexpected.h"

namespace vantelmoor {
namespace {

std::vector<std::string> told;

class UiThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        told.clear();
        win32::set_teller([](const std::string& text) { told.push_back(text); });
    }
    void TearDown() override { win32::set_teller(nullptr); }

    // Handles messages until `done` holds, for ten seconds at most.
    static bool pump_until(auto done) {
        for (const ULONGLONG started = GetTickCount64(); !done() && GetTickCount64() - started < 10000;) {
            MSG message;
            while (!done() && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        }
        return done();
    }

    win32::Win32Timers timers;
};

// A tick that throws is told and the timer goes on; started again at every turn, it keeps its schedule (else no tick).
TEST_F(UiThreadTest, ATimerGoesOnAfterOutOfMemoryKeepsItsScheduleWhenStartedAgainAndStopsForGood) {
    int ticks = 0;
    const auto timer = timers.make([&] {
        if (++ticks == 1) throw std::bad_alloc();
    });
    ASSERT_TRUE(pump_until([&] { return !timer->start(50) || ticks >= 3; }));
    timer->stop();
    const HWND owner = FindWindowExA(HWND_MESSAGE, nullptr, "VantelmoorTimers", nullptr);
    ASSERT_NE(owner, nullptr);
    SendMessageA(owner, WM_TIMER, 1, 0);  // a tick of the stopped timer, still queued
    EXPECT_EQ(ticks, 3);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("acting on a timer:\r\rstd::bad_alloc"), std::string::npos) << told[0];
}

TEST_F(UiThreadTest, AJobRunsElsewhereItsResultComesBackHereAndItsExceptionIsToldHere) {
    win32::BackgroundWork work("printing");
    const DWORD here = GetCurrentThreadId();
    DWORD ran_on = here;
    DWORD done_on = 0;
    work.run([&] { ran_on = GetCurrentThreadId(); }, [&] { done_on = GetCurrentThreadId(); });
    work.run([] { throw std::bad_alloc(); });
    ASSERT_TRUE(pump_until([&] { return !told.empty(); }));
    EXPECT_NE(ran_on, here);
    EXPECT_EQ(done_on, here);
    EXPECT_NE(told[0].find("while printing:\r\rstd::bad_alloc"), std::string::npos) << told[0];
}

// Needs a modem on the COM port VANTELMOOR_TEST_COM names: test_modem_errors.py runs it with the simulated one.
TEST_F(UiThreadTest, OutOfMemoryInTheModemsDeliveryIsToldAndTheNextDeliveryStillComes) {
    const char* com = std::getenv("VANTELMOOR_TEST_COM");
    if (!com) GTEST_SKIP() << "no modem named by VANTELMOOR_TEST_COM";
    win32::Win32SerialPort port;
    port.set_comm_port(std::atoi(com));
    port.set_rthreshold(1);
    std::string heard;
    int deliveries = 0;
    port.set_on_comm([&] {
        heard += port.input();
        if (++deliveries == 1) throw std::bad_alloc();
    });
    ASSERT_EQ(port.open(), std::nullopt);
    const auto answered = [&] { return heard.find("OK") != std::string::npos; };
    ASSERT_EQ(port.output("AT\r"), std::nullopt);
    ASSERT_TRUE(pump_until(answered)) << heard;
    heard.clear();
    ASSERT_EQ(port.output("AT\r"), std::nullopt);
    EXPECT_TRUE(pump_until(answered)) << heard;
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("reading what the modem sent:\r\rstd::bad_alloc"), std::string::npos) << told[0];
}

}  // namespace
}  // namespace vantelmoor

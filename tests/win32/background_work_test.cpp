// Work done on a thread of its own (the printer, the shell): its result comes back on the thread
// that asked, through that thread's messages.
#include <windows.h>

#include <gtest/gtest.h>


#include "platform/win32/background_work.h"

namespace vantelmoor {
namespace {

// Handles this thread's messages until `done` or a generous deadline.
void pump_until(const bool& done) {
    const ULONGLONG deadline = GetTickCount64() + 30000;
    MSG message;
    while (!done && GetTickCount64() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
}

TEST(BackgroundWorkTest, AJobRunsElsewhereAndItsResultComesBackHere) {
    win32::BackgroundWork work("testing");
    const DWORD here = GetCurrentThreadId();
    DWORD ran_on = here;
    DWORD done_on = 0;
    bool done = false;
    work.run([&] { ran_on = GetCurrentThreadId(); }, [&] {
        done_on = GetCurrentThreadId();
        done = true;
    });
    pump_until(done);
    EXPECT_NE(ran_on, here);
    EXPECT_EQ(done_on, here);
}

}  // namespace
}  // namespace vantelmoor

#pragma once
// Work that may take long (the printer, the shell) done on a thread of its own, so that the
// user-interface thread, which screens the calls, never waits for it. Jobs run one at a time, in
// the order given; what a job leaves for the user-interface thread (its `done`) runs there, from a
// posted message. An exception in a job is contained and shown there too.

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/win32/handles.h"

namespace vantelmoor::win32 {

class BackgroundWork {
public:
    // Throws std::runtime_error when the system gives no window for the results.
    explicit BackgroundWork(const char* doing);
    // Waits for the job under way; jobs not yet started are dropped.
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // Runs `job` on the worker thread, then `done`, when given, on the user-interface thread.
    void run(std::function<void()> job, std::function<void()> done = {});
    // Waits up to `ms` for every job given so far to finish; true when they have.
    bool wait_idle(DWORD ms);

private:
    struct Job {
        std::function<void()> work;
        std::function<void()> done;
    };
    void loop();
    static LRESULT CALLBACK results_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void deliver();

    const char* doing_;
    WindowHandle results_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;                        // guarded by lock_
    std::deque<std::function<void()>> finished_;  // guarded by lock_
    bool busy_ = false;                           // guarded by lock_
    bool stopping_ = false;                       // guarded by lock_
    std::thread worker_;
};

}  // namespace vantelmoor::win32

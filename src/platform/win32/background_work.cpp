#include "platform/win32/background_work.h"

#include <stdexcept>

#include "platform/win32/message_window.h"
#include "platform/win32/unexpected.h"

namespace vantelmoor::win32 {
namespace {

constexpr UINT kFinishedMessage = WM_APP + 20;
constexpr char kResultsClass[] = "VantelmoorBackgroundResults";

}  // namespace

BackgroundWork::BackgroundWork(const char* doing) : doing_(doing) {
    results_ = make_message_window(kResultsClass, &BackgroundWork::results_proc, this);
    if (!results_) throw std::runtime_error(std::string("no window for the results of ") + doing);
    worker_ = std::thread([this] { loop(); });
}

BackgroundWork::~BackgroundWork() {
    {
        const std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    worker_.join();
}

void BackgroundWork::run(std::function<void()> job, std::function<void()> done) {
    {
        const std::lock_guard<std::mutex> hold(lock_);
        jobs_.push_back({std::move(job), std::move(done)});
    }
    wake_.notify_all();
}

bool BackgroundWork::wait_idle(DWORD ms) {
    std::unique_lock<std::mutex> hold(lock_);
    return wake_.wait_for(hold, std::chrono::milliseconds(ms), [this] { return jobs_.empty() && !busy_; });
}

void BackgroundWork::loop() {
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> hold(lock_);
            wake_.wait(hold, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
            busy_ = true;
        }
        std::function<void()> result = std::move(job.done);
        try {
            job.work();
        } catch (...) {
            // Shown on the user-interface thread, where boxes belong.
            result = [error = std::current_exception()] { std::rethrow_exception(error); };
        }
        const bool to_deliver = static_cast<bool>(result);
        {
            const std::lock_guard<std::mutex> hold(lock_);
            busy_ = false;
            if (to_deliver) finished_.push_back(std::move(result));
        }
        wake_.notify_all();
        if (to_deliver) PostMessageA(results_.get(), kFinishedMessage, 0, 0);
    }
}

LRESULT CALLBACK BackgroundWork::results_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = message_window_owner<BackgroundWork>(window);
    if (self && message == kFinishedMessage) {
        self->deliver();
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

void BackgroundWork::deliver() {
    for (;;) {
        std::function<void()> done;
        {
            const std::lock_guard<std::mutex> hold(lock_);
            if (finished_.empty()) return;
            done = std::move(finished_.front());
            finished_.pop_front();
        }
        contain(doing_, done);
    }
}

}  // namespace vantelmoor::win32

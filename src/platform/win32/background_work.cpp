#include "platform/win32/background_work.h"

#include <stdexcept>

#include "platform/win32/unexpected.h"

namespace vantelmoor::win32 {
namespace {

constexpr UINT kFinishedMessage = WM_APP + 20;
constexpr char kResultsClass[] = "VantelmoorBackgroundResults";

}  // namespace

BackgroundWork::BackgroundWork(const char* doing) : doing_(doing) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = &BackgroundWork::results_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = kResultsClass;
    RegisterClassExA(&window_class);  // fails harmlessly when registered already; the window's creation tells
    results_ = CreateWindowExA(0, kResultsClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                               nullptr);
    if (!results_) throw std::runtime_error(std::string("no window for the results of ") + doing);
    SetWindowLongPtrA(results_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
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
    DestroyWindow(results_);
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
            result = [doing = doing_, error = std::current_exception()] {
                try {
                    std::rethrow_exception(error);
                } catch (...) {
                    show_unexpected(doing);
                }
            };
        }
        const bool to_deliver = static_cast<bool>(result);
        {
            const std::lock_guard<std::mutex> hold(lock_);
            busy_ = false;
            if (to_deliver) finished_.push_back(std::move(result));
        }
        wake_.notify_all();
        if (to_deliver) PostMessageA(results_, kFinishedMessage, 0, 0);
    }
}

LRESULT CALLBACK BackgroundWork::results_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<BackgroundWork*>(GetWindowLongPtrA(window, GWLP_USERDATA));
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
        try {
            done();
        } catch (...) {
            show_unexpected(doing_);
        }
    }
}

}  // namespace vantelmoor::win32

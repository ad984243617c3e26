#pragma once
// The smaller Win32 services: files, message boxes, the event pump and clock, the shell, and
// where the program lives.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/file_system.h"
#include "platform/install_facts.h"
#include "platform/screening_lock.h"
#include "platform/shell.h"
#include "platform/win32/background_work.h"
#include "platform/win32/handles.h"

namespace vantelmoor::win32 {

// Where this copy lives, and what setup recorded of where it installed the program.
InstallFacts install_facts();

// Another copy for the same user is found by a named mutex in the session's namespace, one for
// each desktop (on Windows a signed-in user has one, so this is one copy a session). An elevated
// copy's mutex only administrators may open: a later copy that is refused knows that one runs.
// The end is at once, as the program has always ended.
class Win32Application final : public Application {
public:
    Win32Application() = default;
    Win32Application(const Win32Application&) = delete;
    Win32Application& operator=(const Win32Application&) = delete;
    bool another_copy_running() override;
    void end() override;

private:
    KernelHandle running_;  // held for the program's life
};

// The mutex "Global\\Vantelmoor.Screening", held by the copy that screens the line for as long as
// it runs; the system gives it up when that copy ends, however it ends.
class Win32ScreeningLock final : public ScreeningLock {
public:
    bool try_take() override;

private:
    KernelHandle mutex_;
    bool held_ = false;
};

class Win32FileSystem final : public FileSystem {
public:
    bool file_exists(const std::string& path) const override;
    std::optional<std::string> create_if_absent(const std::string& path) override;
    bool can_create_files_in(const std::string& directory) override;
    std::optional<std::string> create_directory(const std::string& directory) override;
};

// A box is modal to the window that asks, when that window is on the screen; otherwise to none.
class Win32Dialogs final : public Dialogs {
public:
    explicit Win32Dialogs(std::function<HWND(Modality)> window_of) : window_of_(std::move(window_of)) {}
    MessageAnswer message_box(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons, Modality modality) override;
    std::optional<std::string> input_box(const std::string& prompt, const std::string& title) override;
    void set_busy(bool busy) override;

private:
    std::function<HWND(Modality)> window_of_;
};

class Win32EventPump final : public EventPump {
public:
    void process_events(double max_wait_seconds) override;
};

class Win32Clock final : public Clock {
public:
    Win32Clock();
    double now_seconds() const override;

private:
    LARGE_INTEGER frequency_{};
};

// ShellExecute on a thread of its own: starting a browser may take seconds.
class Win32Shell final : public Shell {
public:
    Win32Shell() : work_("opening a document") {}
    void open_document(const std::string& target, std::function<void(long)> done) override;

private:
    BackgroundWork work_;
};

}  // namespace vantelmoor::win32

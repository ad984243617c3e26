#include "platform/win32/services_win32.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cmath>

#include "platform/win32/handles.h"
#include "platform/win32/input_box_win32.h"
#include "platform/win32/system_error.h"
#include "platform/win32/window_base.h"

namespace vantelmoor::win32 {

std::string program_directory() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return ".";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string common_data_directory() {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return "C:\\ProgramData";
    return path;
}

bool Win32Application::another_copy_running() {
    running_.reset(CreateMutexA(nullptr, FALSE, "Local\\Vantelmoor.Running"));
    return running_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

void Win32Application::end() { ExitProcess(0); }

bool Win32FileSystem::file_exists(const std::string& path) const {
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (found.dwFileAttributes & kNotOrdinary) == 0;
}

std::optional<std::string> Win32FileSystem::create_if_absent(const std::string& path) {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return system_error_text(GetLastError());
    return std::nullopt;
}

// A file that is made and deleted at once: what the program's own files will need. (Wine's
// GetTempFileNameA says it made a file where it could not, so the question is asked directly.)
bool Win32FileSystem::can_create_files_in(const std::string& directory) {
    const std::string probe = directory + "\\vtm" + std::to_string(GetCurrentProcessId() % 0x10000) + ".tmp";
    const FileHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.valid();
}

std::optional<std::string> Win32FileSystem::create_directory(const std::string& directory) {
    if (CreateDirectoryA(directory.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return std::nullopt;
    return system_error_text(GetLastError());
}

MessageAnswer Win32Dialogs::message_box(const std::string& text, const std::string& title, MessageIcon icon,
                                        MessageButtons buttons, Modality modality) {
    UINT style = 0;
    switch (icon) {
        case MessageIcon::Information: style |= MB_ICONINFORMATION; break;
        case MessageIcon::Question: style |= MB_ICONQUESTION; break;
        case MessageIcon::Exclamation: style |= MB_ICONEXCLAMATION; break;
        case MessageIcon::Stop: style |= MB_ICONSTOP; break;
    }
    switch (buttons) {
        case MessageButtons::Ok: style |= MB_OK; break;
        case MessageButtons::YesNo: style |= MB_YESNO; break;
        case MessageButtons::YesNoCancel: style |= MB_YESNOCANCEL; break;
    }
    // A system-modal box stands above every window, the hidden monitor window's time included.
    const bool system = modality == Modality::System;
    if (system) style |= MB_SYSTEMMODAL | MB_SETFOREGROUND | MB_TOPMOST;
    const HWND owner = system || !IsWindowVisible(owner_) ? nullptr : owner_;
    switch (MessageBoxA(owner, text.c_str(), title.c_str(), style)) {
        case IDYES: return MessageAnswer::Yes;
        case IDNO: return MessageAnswer::No;
        case IDCANCEL: return MessageAnswer::Cancel;
        default: return MessageAnswer::Ok;
    }
}

// Modal to the window the user is in (the preferences window, when it asks).
std::optional<std::string> Win32Dialogs::input_box(const std::string& prompt, const std::string& title) {
    Win32InputBox box;
    const HWND active = GetActiveWindow();
    return box.ask(active ? active : owner_, prompt, title);
}

void Win32Dialogs::set_busy(bool busy) { SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW)); }

void Win32EventPump::process_events(double max_wait_seconds) {
    const DWORD wait_ms = static_cast<DWORD>(std::ceil(std::max(0.0, max_wait_seconds) * 1000.0));
    MsgWaitForMultipleObjectsEx(0, nullptr, wait_ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the main loop
            return;
        }
        WindowBase::dispatch(message);
    }
}

Win32Clock::Win32Clock() { QueryPerformanceFrequency(&frequency_); }

double Win32Clock::now_seconds() const {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency_.QuadPart);
}

long Win32Shell::open_document(const std::string& target) {
    const HINSTANCE result = ShellExecuteA(owner_, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return static_cast<long>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace vantelmoor::win32

#include "platform/win32/services_win32.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cmath>
#include <memory>

#include "platform/win32/access_lists.h"
#include "platform/win32/file_store_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/input_box_win32.h"
#include "platform/win32/system_error.h"
#include "platform/win32/window_base.h"

namespace vantelmoor::win32 {

namespace {

std::string module_path() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return ".\\Vantelmoor.exe";
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

std::string folder(int csidl, const char* otherwise) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return otherwise;
    return path;
}

// The file's path with every link and junction on the way resolved; the path given when the
// system cannot say.
std::string final_path(const std::string& path) {
    const FileHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    if (!file) return path;
    std::string resolved(MAX_PATH, '\0');
    DWORD length = GetFinalPathNameByHandleA(file.get(), resolved.data(), static_cast<DWORD>(resolved.size()), 0);
    if (length >= resolved.size()) {
        resolved.resize(length + 1);
        length = GetFinalPathNameByHandleA(file.get(), resolved.data(), static_cast<DWORD>(resolved.size()), 0);
    }
    if (length == 0 || length >= resolved.size()) return path;
    resolved.resize(length);
    return resolved;
}

// Setup's record in "Apps and features" of where it installed the program; empty when none.
std::string install_location() {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantelmoor", 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, &raw) != ERROR_SUCCESS) {
        return {};
    }
    const RegistryKeyHandle key(raw);
    char location[MAX_PATH] = {};
    DWORD size = sizeof(location) - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), "InstallLocation", nullptr, &type, reinterpret_cast<BYTE*>(location), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    return location;
}

std::string desktop_name() {
    char name[256] = {};
    DWORD needed = 0;
    if (!GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof(name) - 1, &needed)) {
        return "Default";
    }
    return name;
}

}  // namespace

InstallFacts install_facts() {
    const std::string executable = module_path();
    const auto slash = executable.find_last_of("\\/");
    return {slash == std::string::npos ? "." : executable.substr(0, slash), final_path(executable), install_location(),
            folder(CSIDL_PROGRAM_FILES, ""), folder(CSIDL_COMMON_APPDATA, "C:\\ProgramData")};
}

bool Win32Application::another_copy_running() {
    const std::string name = "Local\\Vantelmoor.Running." + desktop_name();
    if (running_elevated()) {
        SecurityDescriptor administrators_only(elevated_instance_access());
        running_.reset(CreateMutexExA(administrators_only.attributes(), name.c_str(), 0, SYNCHRONIZE));
    } else {
        running_.reset(CreateMutexExA(nullptr, name.c_str(), 0, SYNCHRONIZE));
    }
    if (!running_) return GetLastError() == ERROR_ACCESS_DENIED;  // an elevated copy's
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

void Win32Application::end() { ExitProcess(0); }

// Refused (the mutex another copy made keeps this user out) counts as held by another copy, and
// so does a name some other object has taken.
bool Win32ScreeningLock::try_take() {
    if (held_) return true;
    if (!mutex_) {
        SecurityDescriptor access(screening_mutex_access());
        mutex_.reset(
            CreateMutexExA(access.attributes(), "Global\\Vantelmoor.Screening", 0, SYNCHRONIZE | MUTEX_MODIFY_STATE));
        if (!mutex_) return false;
    }
    const DWORD waited = WaitForSingleObject(mutex_.get(), 0);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    return held_;
}

bool Win32FileSystem::file_exists(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
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
    const std::string probe = directory + "\\" + temporary_file_name();
    const FileHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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
    HWND owner = system ? nullptr : window_of_(modality);
    if (owner && !IsWindowVisible(owner)) owner = nullptr;
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
    return box.ask(active ? active : window_of_(Modality::MainWindow), prompt, title);
}

void Win32Dialogs::set_busy(bool busy) {
    WindowBase::set_busy(busy);
    SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

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

void Win32Shell::open_document(const std::string& target, std::function<void(long)> done) {
    auto result = std::make_shared<long>(0);
    work_.run(
        [result, target] {
            // Some handlers the shell delegates to are COM objects.
            const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
            *result = static_cast<long>(reinterpret_cast<INT_PTR>(
                ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL)));
            if (SUCCEEDED(com)) CoUninitialize();
        },
        [result, done = std::move(done)] { done(*result); });
}

}  // namespace vantelmoor::win32

#include "helper/running_copies_win32.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>

#include "helper/setup_files_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace vantelmoor::setup {
namespace {

using win32::KernelHandle;

std::wstring full_path(const std::wstring& path) {
    wchar_t full[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    return length == 0 || length >= std::size(full) ? path : std::wstring(full, length);
}

bool same_path(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// The processes whose image is `executable`, opened to wait for them and to end them.
std::vector<KernelHandle> copies_of(const std::wstring& executable, std::vector<std::string>& failures) {
    std::vector<KernelHandle> copies;
    const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
        failures.push_back("the running programs could not be listed (" + win32::system_error_text(GetLastError()) +
                           ")");
        return copies;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) continue;
        KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE, FALSE,
                                         entry.th32ProcessID));
        if (!process) continue;  // the system's own, which no setup may open
        wchar_t image[MAX_PATH * 4] = {};
        DWORD size = static_cast<DWORD>(std::size(image));
        if (QueryFullProcessImageNameW(process.get(), 0, image, &size) &&
            same_path(std::wstring(image, size), executable)) {
            copies.push_back(std::move(process));
        }
    }
    return copies;
}

}  // namespace

EndedCopies end_running_copies(const std::string& executable, unsigned wait_ms) {
    EndedCopies result;
    // Another user's copy cannot be opened by an administrator without it.
    if (!enable_privilege(L"SeDebugPrivilege")) result.failures.push_back("the debug privilege is not granted");
    std::vector<KernelHandle> copies = copies_of(full_path(win32::wide(executable)), result.failures);
    const ULONGLONG deadline = GetTickCount64() + wait_ms;
    for (KernelHandle& copy : copies) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
        if (WaitForSingleObject(copy.get(), left) == WAIT_OBJECT_0) {
            ++result.ended;
            continue;
        }
        if (!TerminateProcess(copy.get(), 1) || WaitForSingleObject(copy.get(), 5000) != WAIT_OBJECT_0) {
            result.failures.push_back("a copy could not be ended (" + win32::system_error_text(GetLastError()) + ")");
            continue;
        }
        ++result.terminated;
    }
    return result;
}

bool retire_file(const std::string& path, std::string& failure) {
    const std::wstring name = win32::wide(path);
    if (DeleteFileW(name.c_str())) return false;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
    // In the program's own folder, which only administrators may change.
    const std::wstring aside = name + L".old-" + std::to_wstring(GetTickCount64());
    if (!MoveFileExW(name.c_str(), aside.c_str(), 0) ||
        !MoveFileExW(aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        failure = win32::system_error_text(GetLastError());
    }
    return true;
}

}  // namespace vantelmoor::setup

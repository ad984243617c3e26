#include "helper/setup_files_win32.h"

#include <bcrypt.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "platform/win32/access_lists.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace vantelmoor::setup {
namespace {

using win32::FileHandle;
using win32::wide;

// Opened as it is: a link or a junction itself, a folder as a folder, whoever's it is.
constexpr DWORD kAsItIs = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;

std::string last_error() { return win32::system_error_text(GetLastError()); }

bool absent(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

Failure dispose(HANDLE handle) {
    FILE_DISPOSITION_INFO gone{TRUE};
    if (SetFileInformationByHandle(handle, FileDispositionInfo, &gone, sizeof(gone))) return std::nullopt;
    return GetLastError() == ERROR_DIR_NOT_EMPTY ? "it holds other files" : last_error();
}

}  // namespace

bool enable_privilege(const wchar_t* name) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return false;
    const win32::KernelHandle token(raw);
    TOKEN_PRIVILEGES privileges{1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
    if (!LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid)) return false;
    return AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr) &&
           GetLastError() != ERROR_NOT_ALL_ASSIGNED;
}

Win32SetupFiles::Win32SetupFiles() {
    // Without them, a folder or file whose access list a user set keeps setup out: it is then
    // not read and not moved, and setup says so.
    enable_privilege(L"SeBackupPrivilege");
    enable_privilege(L"SeRestorePrivilege");
}

// Held without sharing deletion: while setup runs, nobody can rename, delete or replace it.
Found Win32SetupFiles::hold(const std::string& path) {
    if (const auto it = held_.find(path); it != held_.end()) return it->second.found;
    Held held;
    held.handle.reset(CreateFileW(wide(path).c_str(), DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, kAsItIs, nullptr));
    if (!held.handle) {
        const DWORD error = GetLastError();
        if (absent(error)) return Found::Nothing;
        held.failure = win32::system_error_text(error);
        held.found = Found::Other;
    } else {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!GetFileInformationByHandle(held.handle.get(), &info)) {
            held.failure = last_error();
            held.found = Found::Other;
        } else if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            held.found = Found::Other;
        } else {
            held.found = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? Found::Folder : Found::Other;
        }
    }
    const Found found = held.found;
    held_[path] = std::move(held);
    return found;
}

Failure Win32SetupFiles::rename_held(const std::string& path, const std::string& new_path) {
    const auto it = held_.find(path);
    if (it == held_.end()) return "it was not opened";
    if (!it->second.handle) return it->second.failure;
    const std::wstring name = wide(new_path);
    std::vector<std::byte> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = FALSE;
    info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::copy(name.begin(), name.end(), info->FileName);
    if (!SetFileInformationByHandle(it->second.handle.get(), FileRenameInfo, info, static_cast<DWORD>(buffer.size()))) {
        return last_error();
    }
    held_[new_path] = std::move(it->second);
    held_.erase(path);
    return std::nullopt;
}

Failure Win32SetupFiles::make_data_folder(const std::string& path) {
    win32::SecurityDescriptor access(win32::data_folder_access());
    if (!CreateDirectoryW(wide(path).c_str(), access.attributes())) return last_error();
    return std::nullopt;
}

Failure Win32SetupFiles::make_marker(const std::string& path) {
    win32::SecurityDescriptor access(win32::installed_marker_access());
    const FileHandle marker(CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, access.attributes(), CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!marker) return last_error();
    return std::nullopt;
}

PlainRead Win32SetupFiles::read_plain(const std::string& path, std::size_t largest) {
    const FileHandle file(
        CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, kAsItIs, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        return {std::nullopt, absent(error) ? "" : win32::system_error_text(error)};
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info)) return {std::nullopt, last_error()};
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return {std::nullopt, "it is a link"};
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {std::nullopt, "it is a folder"};
    if (info.nNumberOfLinks != 1) return {std::nullopt, "it has a second name (a hard link)"};
    const ULONGLONG size = (ULONGLONG{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    if (size > largest) return {std::nullopt, "it is larger than the program ever writes"};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    DWORD read = 0;
    if (size > 0 && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(size), &read, nullptr) || read != size)) {
        return {std::nullopt, "it could not be read whole"};
    }
    return {std::move(bytes), {}};
}

Failure Win32SetupFiles::write_new(const std::string& path, std::string_view bytes) {
    const FileHandle file(
        CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !FlushFileBuffers(file.get())) {
        return last_error();
    }
    return std::nullopt;
}

Failure Win32SetupFiles::remove_name(const std::string& path) {
    const FileHandle name(CreateFileW(wide(path).c_str(), DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      kAsItIs, nullptr));
    if (!name) return absent(GetLastError()) ? std::nullopt : Failure(last_error());
    return dispose(name.get());
}

Failure Win32SetupFiles::remove_if_empty(const std::string& path) {
    const auto it = held_.find(path);
    if (it == held_.end() || !it->second.handle) return "it was not opened";
    if (Failure stays = dispose(it->second.handle.get())) return stays;
    held_.erase(it);  // gone once its handle closes
    return std::nullopt;
}

std::string Win32SetupFiles::random_suffix() {
    unsigned char random[8];
    if (BCryptGenRandom(nullptr, random, sizeof(random), BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0) {
        throw std::runtime_error("the system gave no random numbers");
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string suffix;
    for (const unsigned char byte : random) {
        suffix += kHex[byte >> 4];
        suffix += kHex[byte & 0xF];
    }
    return suffix;
}

}  // namespace vantelmoor::setup

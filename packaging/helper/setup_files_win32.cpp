#include "helper/setup_files_win32.h"

#include <aclapi.h>
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

std::optional<std::wstring> final_path(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    for (int tries = 0; tries < 2; ++tries) {
        const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return std::nullopt;
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length);
    }
    return std::nullopt;
}

bool same_object(HANDLE a, HANDLE b) {
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return GetFileInformationByHandle(a, &first) && GetFileInformationByHandle(b, &second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

bool same_path(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

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

// What a path inside a held folder opened must be that name in the held folder itself: a user
// who can empty the folder can make it a junction to anywhere, and a path through it would follow.
Failure Win32SetupFiles::check_inside(HANDLE opened, const std::string& path) {
    const std::size_t cut = path.find_last_of('\\');
    const std::string folder = path.substr(0, cut);
    const auto it = held_.find(folder);
    if (cut == std::string::npos || it == held_.end() || it->second.found != Found::Folder) {
        return "its folder was not opened as a folder";
    }
    const auto inside = final_path(opened);
    const auto expected = final_path(it->second.handle.get());
    if (!inside || !expected) return last_error();
    if (!same_path(*inside, *expected + wide(path.substr(cut))))
        return "it is not in " + folder + " (a junction leads elsewhere)";
    return std::nullopt;
}

// Kept to SYSTEM and Administrators until share_data_folder: an empty folder users may add files to
// is one they may make a junction of.
Failure Win32SetupFiles::make_data_folder(const std::string& path) {
    win32::SecurityDescriptor access(win32::data_folder_setup_access());
    if (!CreateDirectoryW(wide(path).c_str(), access.attributes())) return last_error();
    if (hold(path) != Found::Folder) return "it was not a folder once made";
    return std::nullopt;
}

Failure Win32SetupFiles::share_data_folder(const std::string& path) {
    if (hold(path) != Found::Folder) return "it is no folder";
    // A second handle, for its access list, to the very folder held.
    const FileHandle folder(CreateFileW(wide(path).c_str(), READ_CONTROL | WRITE_DAC | WRITE_OWNER,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        kAsItIs, nullptr));
    if (!folder) return last_error();
    if (!same_object(folder.get(), held_[path].handle.get())) return "it is not the folder setup made";
    win32::SecurityDescriptor access(win32::data_folder_access());
    PSID owner = nullptr;
    PACL list = nullptr;
    BOOL defaulted = FALSE;
    BOOL present = FALSE;
    if (!GetSecurityDescriptorOwner(access.get(), &owner, &defaulted) ||
        !GetSecurityDescriptorDacl(access.get(), &present, &list, &defaulted)) {
        return last_error();
    }
    // By handle, so no path is followed; the files already in it get the entries they inherit.
    const DWORD set = SetSecurityInfo(folder.get(), SE_FILE_OBJECT, access.parts(), owner, nullptr, list, nullptr);
    if (set != ERROR_SUCCESS) return win32::system_error_text(set);
    return std::nullopt;
}

Failure Win32SetupFiles::make_marker(const std::string& path) {
    win32::SecurityDescriptor access(win32::installed_marker_access());
    const FileHandle marker(CreateFileW(wide(path).c_str(), GENERIC_WRITE | DELETE, 0, access.attributes(), CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!marker) return last_error();
    if (Failure outside = check_inside(marker.get(), path)) {
        dispose(marker.get());
        return outside;
    }
    return std::nullopt;
}

PlainRead Win32SetupFiles::read_plain(const std::string& path, std::size_t largest) {
    const FileHandle file(
        CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, kAsItIs, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        return {std::nullopt, absent(error) ? "" : win32::system_error_text(error)};
    }
    if (Failure outside = check_inside(file.get(), path)) return {std::nullopt, *outside};
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
    const FileHandle file(CreateFileW(wide(path).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return last_error();
    if (Failure outside = check_inside(file.get(), path)) {
        dispose(file.get());
        return outside;
    }
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
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
    if (Failure outside = check_inside(name.get(), path)) return outside;
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

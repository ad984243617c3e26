#include "platform/win32/file_store_win32.h"

#include <windows.h>

#include <bcrypt.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace vantelmoor::win32 {
namespace {

constexpr DWORD kChunk = 1 << 16;
constexpr std::string_view kTemporaryPrefix = "Vantelmoor-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kRandomBytes = 16;

std::string directory_of(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string last_error_text() { return system_error_text(GetLastError()); }

bool write_whole(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), size, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Why a file another user may have put in place is not read; nullopt when it is a plain file.
std::optional<std::string> not_plain(HANDLE file, std::size_t largest) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return last_error_text();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return std::string("it is a link, not a file");
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::string("it is a folder, not a file");
    if (info.nNumberOfLinks > 1) return std::string("it has a second name (a hard link)");
    const ULONGLONG size = (ULONGLONG{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    if (size > largest) return "it is larger (" + std::to_string(size) + " bytes) than the program ever writes";
    return std::nullopt;
}

// Read-only, hidden or system on the target would make the rename fail on Windows.
void clear_attributes(const std::string& path) {
    const FileHandle target(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    FILE_BASIC_INFO basic{};
    if (!target || !GetFileInformationByHandleEx(target.get(), FileBasicInfo, &basic, sizeof(basic))) return;
    constexpr DWORD kInTheWay = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((basic.FileAttributes & kInTheWay) == 0) return;
    basic.FileAttributes &= ~kInTheWay;
    if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    SetFileInformationByHandle(target.get(), FileBasicInfo, &basic, sizeof(basic));  // a refusal shows in the rename
}

bool rename_over(HANDLE file, const std::string& target) {
    const std::wstring name = wide(target);
    std::vector<std::byte> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::copy(name.begin(), name.end(), info->FileName);
    return SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(buffer.size())) != FALSE;
}

// The temporary file, deleted through its own handle unless it has been renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr)) {}
    ~TemporaryFile() {
        if (!file_ || kept_) return;
        FILE_DISPOSITION_INFO gone{TRUE};
        SetFileInformationByHandle(file_.get(), FileDispositionInfo, &gone, sizeof(gone));
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] HANDLE get() const { return file_.get(); }
    [[nodiscard]] bool valid() const { return file_.valid(); }
    void kept() { kept_ = true; }

private:
    FileHandle file_;
    bool kept_ = false;
};

}  // namespace

std::string temporary_file_name() {
    unsigned char random[kRandomBytes];
    if (BCryptGenRandom(nullptr, random, sizeof(random), BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0) {
        throw std::runtime_error("the system gave no random numbers for a temporary file's name");
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name(kTemporaryPrefix);
    for (const unsigned char byte : random) {
        name += kHex[byte >> 4];
        name += kHex[byte & 0xF];
    }
    return name.append(kTemporarySuffix);
}

bool is_temporary_file_name(std::string_view name) {
    if (name.size() != kTemporaryPrefix.size() + 2 * kRandomBytes + kTemporarySuffix.size()) return false;
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) return false;
    const std::string_view digits = name.substr(kTemporaryPrefix.size(), 2 * kRandomBytes);
    return std::ranges::all_of(digits, [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

FileRead Win32FileStore::read_all(const std::string& path, std::size_t largest) {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) return {std::nullopt, last_error_text()};
    if (auto refused = not_plain(file.get(), largest)) return {std::nullopt, std::move(*refused)};
    // The size is checked again as the bytes come: the file may grow while it is read. At most one
    // byte past the limit is read.
    std::string bytes;
    for (;;) {
        const std::size_t used = bytes.size();
        const auto want = static_cast<DWORD>(std::min<std::size_t>(kChunk, largest + 1 - used));
        bytes.resize(used + want);
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + used, want, &read, nullptr)) return {std::nullopt, last_error_text()};
        bytes.resize(used + read);
        if (bytes.size() > largest) return {std::nullopt, "it is larger than the program ever writes"};
        if (read == 0) return {std::move(bytes), {}};
    }
}

FileFailure Win32FileStore::replace(const std::string& path, std::string_view bytes) {
    TemporaryFile temp(directory_of(path) + "\\" + temporary_file_name());
    if (!temp.valid() || !write_whole(temp.get(), bytes) || !FlushFileBuffers(temp.get())) return last_error_text();
    clear_attributes(path);
    if (!rename_over(temp.get(), path)) return last_error_text();
    temp.kept();
    return std::nullopt;
}

void Win32FileStore::remove_leftovers(const std::string& directory) {
    WIN32_FIND_DATAA entry{};
    const FindHandle search(FindFirstFileA((directory + "\\Vantelmoor-*.tmp").c_str(), &entry));
    if (!search) return;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && is_temporary_file_name(entry.cFileName)) {
            DeleteFileA((directory + "\\" + entry.cFileName).c_str());
        }
    } while (FindNextFileA(search.get(), &entry));
}

}  // namespace vantelmoor::win32

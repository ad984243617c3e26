#include "platform/win32/file_store_win32.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/win32/handles.h"
#include "platform/win32/system_error.h"

namespace vantelmoor::win32 {
namespace {

constexpr DWORD kChunk = 1 << 16;

std::string directory_of(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string last_error_text() { return system_error_text(GetLastError()); }

// The temporary files GetTempFileNameA makes for a rewrite: "vtm", one to four hex digits, ".tmp".
bool is_leftover(const std::string& name) {
    if (name.size() < 8 || name.size() > 11) return false;
    if (name.compare(0, 3, "vtm") != 0 || lstrcmpiA(name.c_str() + name.size() - 4, ".tmp") != 0) return false;
    for (std::size_t i = 3; i < name.size() - 4; ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
    }
    return true;
}

bool write_whole(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), size, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// A temporary file that is deleted unless it has been renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) DeleteFileA(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] const std::string& path() const { return path_; }
    void kept() { path_.clear(); }

private:
    std::string path_;
};

}  // namespace

FileRead Win32FileStore::read_all(const std::string& path) {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {std::nullopt, last_error_text()};
    std::string bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size)) bytes.reserve(static_cast<std::size_t>(size.QuadPart) + kChunk);
    for (;;) {
        const std::size_t used = bytes.size();
        bytes.resize(used + kChunk);
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + used, kChunk, &read, nullptr)) return {std::nullopt, last_error_text()};
        bytes.resize(used + read);
        if (read == 0) return {std::move(bytes), {}};
    }
}

FileFailure Win32FileStore::replace(const std::string& path, std::string_view bytes) {
    char temp_path[MAX_PATH] = {};
    // In the target's own directory, so that the rename stays on one volume and is one step.
    if (GetTempFileNameA(directory_of(path).c_str(), "vtm", 0, temp_path) == 0) return last_error_text();
    TemporaryFile temp(temp_path);
    {
        const FileHandle file(CreateFileA(temp.path().c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !write_whole(file.get(), bytes) || !FlushFileBuffers(file.get())) return last_error_text();
    }
    constexpr DWORD kMove = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (!MoveFileExA(temp.path().c_str(), path.c_str(), kMove)) return last_error_text();
    temp.kept();
    return std::nullopt;
}

void Win32FileStore::remove_leftovers(const std::string& directory) {
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((directory + "\\vtm*.tmp").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (is_leftover(entry.cFileName)) DeleteFileA((directory + "\\" + entry.cFileName).c_str());
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

}  // namespace vantelmoor::win32

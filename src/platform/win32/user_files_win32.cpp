#include "platform/win32/user_files_win32.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

namespace vantelmoor::win32 {
namespace {

constexpr char kFilter[] = "Lists and logs (*.csv;*.txt)\0*.csv;*.txt\0All files (*.*)\0*.*\0";

// The dialog never changes the program's current directory.
OPENFILENAMEA dialog(HWND owner, const std::string& title, char* path, DWORD flags) {
    OPENFILENAMEA chosen{};
    chosen.lStructSize = sizeof(chosen);
    chosen.hwndOwner = owner;
    chosen.lpstrFilter = kFilter;
    chosen.lpstrFile = path;
    chosen.nMaxFile = MAX_PATH;
    chosen.lpstrTitle = title.c_str();
    chosen.lpstrDefExt = "csv";
    chosen.Flags = flags | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    return chosen;
}

}  // namespace

std::optional<ChosenFile> Win32UserFiles::open(const std::string& title, std::size_t largest) {
    char path[MAX_PATH] = {};
    OPENFILENAMEA chosen = dialog(owner_(), title, path, OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameA(&chosen)) return std::nullopt;
    ChosenFile file{path, std::nullopt, {}};
    const FileHandle handle(
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!handle || !GetFileSizeEx(handle.get(), &size)) {
        file.failure = system_error_text(GetLastError());
        return file;
    }
    if (static_cast<ULONGLONG>(size.QuadPart) > largest) {
        file.failure = "it is larger than any list (" + std::to_string(size.QuadPart) + " bytes)";
        return file;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        file.failure = system_error_text(GetLastError());
        return file;
    }
    file.bytes = std::move(bytes);
    return file;
}

std::optional<ChosenFile> Win32UserFiles::save(const std::string& title, const std::string& suggested,
                                               std::string_view bytes) {
    char path[MAX_PATH] = {};
    lstrcpynA(path, suggested.c_str(), MAX_PATH);
    OPENFILENAMEA chosen = dialog(owner_(), title, path, OFN_OVERWRITEPROMPT);
    if (!GetSaveFileNameA(&chosen)) return std::nullopt;
    ChosenFile file{path, std::nullopt, {}};
    const FileHandle handle(
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!handle || !WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !FlushFileBuffers(handle.get())) {
        file.failure = system_error_text(GetLastError());
    }
    return file;
}

std::string Win32TextCodec::to_ansi(std::string_view utf8, std::size_t& replaced) const {
    if (utf8.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide_text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide_text.data(), length);
    std::string ansi;
    for (const wchar_t c : wide_text) {
        char byte = '?';
        BOOL defaulted = FALSE;
        // No best fit: a character the code page lacks becomes '?', never a look-alike.
        if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &c, 1, &byte, 1, "?", &defaulted) != 1 || defaulted ||
            c == 0xFFFD) {
            byte = '?';
            ++replaced;
        }
        ansi += byte;
    }
    return ansi;
}

std::string Win32TextCodec::to_utf8(std::string_view ansi) const {
    const std::wstring text = wide(ansi);
    if (text.empty()) return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length, nullptr, nullptr);
    return utf8;
}

}  // namespace vantelmoor::win32

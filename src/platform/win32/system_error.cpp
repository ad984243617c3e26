#include "platform/win32/system_error.h"

#include "platform/win32/handles.h"

namespace vantelmoor::win32 {

std::string system_error_text(DWORD error) {
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    const LocalMemory owned(buffer);
    std::string text = length ? std::string(buffer, length) : "Unknown error " + std::to_string(error);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace vantelmoor::win32

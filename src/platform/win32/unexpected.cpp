#include "platform/win32/unexpected.h"

#include <windows.h>

#include <exception>
#include <string>

namespace vantelmoor::win32 {

void show_unexpected(const char* doing) noexcept {
    try {
        std::string reason = "an unknown error";
        try {
            throw;
        } catch (const std::exception& error) {
            reason = error.what();
        } catch (...) {
        }
        const std::string text = std::string("Vantelmoor ran into a problem while ") + doing + ":\r\r" + reason;
        MessageBoxA(nullptr, text.c_str(), "Vantelmoor", MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
    } catch (...) {
        // Nothing is left to tell the user with.
    }
}

}  // namespace vantelmoor::win32

#include "platform/win32/unexpected.h"

#include <windows.h>

#include <atomic>
#include <exception>

namespace vantelmoor::win32 {
namespace {

std::atomic<Teller> teller{nullptr};

void tell(const std::string& text) {
    if (const Teller listening = teller.load()) {
        listening(text);
        return;
    }
    MessageBoxA(nullptr, text.c_str(), "Vantelmoor", MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

}  // namespace

bool contain(const char* doing, const std::function<void()>& step) noexcept {
    try {
        step();
        return true;
    } catch (...) {
        try {
            std::string reason = "an unknown error";
            try {
                throw;
            } catch (const std::exception& error) {
                reason = error.what();
            } catch (...) {
            }
            tell(std::string("Vantelmoor ran into a problem while ") + doing + ":\r\r" + reason);
        } catch (...) {
            // Nothing is left to tell the user with.
        }
        return false;
    }
}

void set_teller(Teller listening) noexcept { teller.store(listening); }

}  // namespace vantelmoor::win32

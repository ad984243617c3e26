#include "platform/win32/dll_search.h"

#include <windows.h>

namespace vantelmoor::win32 {

void load_libraries_from_system_folder_only() noexcept {
    using SetDefault = BOOL(WINAPI*)(DWORD);
    constexpr DWORD kSystemFolder = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto set_default =
        kernel
            ? reinterpret_cast<SetDefault>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
            : nullptr;
    if (set_default) set_default(kSystemFolder);
}

}  // namespace vantelmoor::win32

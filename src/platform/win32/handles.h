#pragma once
// Small owners for Win32 handles, so that no raw handle outlives its scope.

#include <windows.h>

#include <utility>

namespace vantelmoor::win32 {

template <typename Handle, auto Close, auto Invalid>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Invalid())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Invalid());
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    [[nodiscard]] Handle get() const { return handle_; }
    [[nodiscard]] bool valid() const { return handle_ != Invalid(); }
    // Hands the handle to whatever owns it from now on (a menu to its window, say).
    Handle release() { return std::exchange(handle_, Invalid()); }
    explicit operator bool() const { return valid(); }
    void reset(Handle handle = Invalid()) {
        if (valid()) Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Invalid();
};

inline HANDLE invalid_file() { return INVALID_HANDLE_VALUE; }
inline HANDLE null_handle() { return nullptr; }
inline HGDIOBJ null_gdi() { return nullptr; }
inline HMENU null_menu() { return nullptr; }
inline HACCEL null_accelerators() { return nullptr; }
inline HLOCAL null_local() { return nullptr; }
inline void close_handle(HANDLE h) { CloseHandle(h); }
inline void find_close(HANDLE h) { FindClose(h); }
inline void delete_gdi(HGDIOBJ h) { DeleteObject(h); }
inline void destroy_menu(HMENU h) { DestroyMenu(h); }
inline void destroy_accelerators(HACCEL h) { DestroyAcceleratorTable(h); }
inline void local_free(HLOCAL h) { LocalFree(h); }
inline HKEY null_key() { return nullptr; }
inline HWND null_window() { return nullptr; }
inline void destroy_window(HWND h) { DestroyWindow(h); }
inline void close_key(HKEY h) { RegCloseKey(h); }

using FileHandle = Owned<HANDLE, close_handle, invalid_file>;   // CreateFile results
using FindHandle = Owned<HANDLE, find_close, invalid_file>;     // FindFirstFile searches
using KernelHandle = Owned<HANDLE, close_handle, null_handle>;  // events, threads, mutexes, tokens
using GdiObject = Owned<HGDIOBJ, delete_gdi, null_gdi>;         // fonts, brushes, pens
using MenuHandle = Owned<HMENU, destroy_menu, null_menu>;       // a menu no window owns (yet)
using Accelerators = Owned<HACCEL, destroy_accelerators, null_accelerators>;
using LocalMemory = Owned<HLOCAL, local_free, null_local>;  // what the system allocated with LocalAlloc
using RegistryKeyHandle = Owned<HKEY, close_key, null_key>;
using WindowHandle = Owned<HWND, destroy_window, null_window>;  // a window no other window owns

// Holds a CRITICAL_SECTION for the current scope.
class Lock {
public:
    explicit Lock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
    ~Lock() { LeaveCriticalSection(&section_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    CRITICAL_SECTION& section_;
};

}  // namespace vantelmoor::win32

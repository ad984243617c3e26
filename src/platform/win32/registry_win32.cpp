#include "platform/win32/registry_win32.h"

#include <windows.h>

#include "platform/win32/system_error.h"

namespace vantelmoor::win32 {
namespace {

HKEY root_key(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
        case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    }
    return HKEY_LOCAL_MACHINE;
}

HKEY as_hkey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

long Win32Registry::open_key(RegistryRoot root, const std::string& path, std::uint32_t access, RegistryKey& key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(root_key(root), path.c_str(), 0, access, &opened);
    if (result == ERROR_SUCCESS) key = reinterpret_cast<RegistryKey>(opened);
    return result;
}

long Win32Registry::query_value(RegistryKey key, const std::string& name, std::uint32_t& type,
                                std::vector<std::uint8_t>& data, std::uint32_t& size) {
    DWORD value_type = 0;
    DWORD byte_count = static_cast<DWORD>(std::min<std::size_t>(size, data.size()));
    const LONG result = RegQueryValueExA(as_hkey(key), name.c_str(), nullptr, &value_type, data.data(), &byte_count);
    type = value_type;
    size = byte_count;
    return result;
}

long Win32Registry::create_key(RegistryRoot root, const std::string& path, std::uint32_t access, RegistryKey& key) {
    HKEY created = nullptr;
    const LONG result = RegCreateKeyExA(root_key(root), path.c_str(), 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                                        access, nullptr, &created, nullptr);
    if (result == ERROR_SUCCESS) key = reinterpret_cast<RegistryKey>(created);
    return result;
}

long Win32Registry::set_value(RegistryKey key, const std::string& name, std::uint32_t type,
                              const std::vector<std::uint8_t>& data) {
    return RegSetValueExA(as_hkey(key), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
}

long Win32Registry::delete_value(RegistryKey key, const std::string& name) {
    return RegDeleteValueA(as_hkey(key), name.c_str());
}

long Win32Registry::close_key(RegistryKey key) { return RegCloseKey(as_hkey(key)); }

std::string Win32Registry::describe(long result) const { return system_error_text(static_cast<DWORD>(result)); }

}  // namespace vantelmoor::win32

#pragma once
// The six registry operations the settings store needs, shaped after the advapi32 "A" calls so
// that the Win32 implementation is a direct mapping and a fake can reproduce their results.

#include <cstdint>
#include <string>
#include <vector>

namespace vantelmoor {

enum class RegistryRoot { LocalMachine, CurrentUser };

using RegistryKey = std::uintptr_t;

// Result codes: the Win32 error numbers the store tells apart.
inline constexpr long kRegistryOk = 0;            // ERROR_SUCCESS
inline constexpr long kRegistryNotFound = 2;      // ERROR_FILE_NOT_FOUND
inline constexpr long kRegistryAccessDenied = 5;  // ERROR_ACCESS_DENIED
inline constexpr long kRegistryMoreData = 234;    // ERROR_MORE_DATA

inline constexpr std::uint32_t kRegSz = 1;  // REG_SZ

// The only rights the program asks for: reading values, and setting them.
inline constexpr std::uint32_t kQueryValue = 0x1;  // KEY_QUERY_VALUE
inline constexpr std::uint32_t kSetValue = 0x2;    // KEY_SET_VALUE

class Registry {
public:
    virtual ~Registry() = default;

    [[nodiscard]] virtual long open_key(RegistryRoot root, const std::string& path, std::uint32_t access,
                                        RegistryKey& key) = 0;
    // Reads at most data.size() bytes into data; size receives the byte count of the stored data
    // (ERROR_MORE_DATA when it does not fit).
    [[nodiscard]] virtual long query_value(RegistryKey key, const std::string& name, std::uint32_t& type,
                                           std::vector<std::uint8_t>& data, std::uint32_t& size) = 0;
    [[nodiscard]] virtual long create_key(RegistryRoot root, const std::string& path, std::uint32_t access,
                                          RegistryKey& key) = 0;
    [[nodiscard]] virtual long set_value(RegistryKey key, const std::string& name, std::uint32_t type,
                                         const std::vector<std::uint8_t>& data) = 0;
    [[nodiscard]] virtual long delete_value(RegistryKey key, const std::string& name) = 0;
    virtual long close_key(RegistryKey key) = 0;
    // A result code in the system's words.
    [[nodiscard]] virtual std::string describe(long result) const = 0;
};

}  // namespace vantelmoor

#pragma once
// The registry through the advapi32 "A" functions, so the bytes stored are the ANSI bytes given.

#include "platform/registry.h"

namespace vantelmoor::win32 {

class Win32Registry final : public Registry {
public:
    long open_key(RegistryRoot root, const std::string& path, std::uint32_t access, RegistryKey& key) override;
    long query_value(RegistryKey key, const std::string& name, std::uint32_t& type, std::vector<std::uint8_t>& data,
                     std::uint32_t& size) override;
    long create_key(RegistryRoot root, const std::string& path, std::uint32_t access, RegistryKey& key) override;
    long set_value(RegistryKey key, const std::string& name, std::uint32_t type,
                   const std::vector<std::uint8_t>& data) override;
    long delete_value(RegistryKey key, const std::string& name) override;
    long close_key(RegistryKey key) override;
    std::string describe(long result) const override;
};

}  // namespace vantelmoor::win32

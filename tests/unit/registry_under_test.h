#pragma once
// The registries the settings suite runs against, the in-memory one everywhere and the real one
// under Wine, and raw access to the bytes of a value through the same six operations.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/registry.h"

namespace vantelmoor::test {

struct RawValue {
    std::uint32_t type = 0;
    std::string bytes;
};

struct NamedRegistry {
    std::string name;
    std::function<std::shared_ptr<Registry>()> make;  // a clean machine, cleaned again when dropped
};

std::vector<NamedRegistry> registries_under_test();

// key: a path under HKEY_LOCAL_MACHINE, or "HKCU\\" and a path under HKEY_CURRENT_USER.
std::optional<RawValue> raw(Registry& registry, const std::string& key, const std::string& name);
void put_raw(Registry& registry, const std::string& key, const std::string& name, const RawValue& value);

}  // namespace vantelmoor::test

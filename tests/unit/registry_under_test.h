#pragma once
// A registry for the settings suite to run against, with raw access to the bytes it holds: the
// in-memory one everywhere, and the real one under Wine.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vantelmoor::test {

struct RawValue {
    std::uint32_t type = 0;
    std::string bytes;
};

class RegistryUnderTest {
public:
    virtual ~RegistryUnderTest() = default;
    virtual Registry& registry() = 0;
    virtual std::optional<RawValue> raw(const std::string& key, const std::string& name) = 0;
    // key: a path under HKEY_LOCAL_MACHINE, or "HKCU\\" and a path under HKEY_CURRENT_USER.
    virtual void put_raw(const std::string& key, const std::string& name, const RawValue& value) = 0;
};

struct NamedRegistry {
    std::string name;
    std::function<std::unique_ptr<RegistryUnderTest>()> make;
};

std::vector<NamedRegistry> registries_under_test();

}  // namespace vantelmoor::test

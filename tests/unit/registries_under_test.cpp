#include "registry_under_test.h"

#include "fakes/fake_registry.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/registry_win32.h"
#include "store/settings.h"
#endif

namespace vantelmoor::test {
namespace {

std::pair<RegistryRoot, std::string> split(const std::string& key) {
    return key.starts_with("HKCU\\") ? std::pair{RegistryRoot::CurrentUser, key.substr(5)}
                                     : std::pair{RegistryRoot::LocalMachine, key};
}

#ifdef _WIN32
void clean() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vantelmoor");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kAutostartValue);
}
#endif

}  // namespace

std::vector<NamedRegistry> registries_under_test() {
    std::vector<NamedRegistry> registries{{"InMemory", [] { return std::make_shared<FakeRegistry>(); }}};
#ifdef _WIN32
    registries.push_back({"Real", [] {
                              clean();
                              return std::shared_ptr<Registry>(new win32::Win32Registry, [](Registry* registry) {
                                  delete registry;
                                  clean();
                              });
                          }});
#endif
    return registries;
}

std::optional<RawValue> raw(Registry& registry, const std::string& key, const std::string& name) {
    const auto [root, path] = split(key);
    RegistryKey opened = 0;
    if (registry.open_key(root, path, kQueryValue, opened) != kRegistryOk) return std::nullopt;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data(4096);
    std::uint32_t size = static_cast<std::uint32_t>(data.size());
    const long result = registry.query_value(opened, name, type, data, size);
    registry.close_key(opened);
    if (result != kRegistryOk) return std::nullopt;
    return RawValue{type, std::string(data.begin(), data.begin() + size)};
}

void put_raw(Registry& registry, const std::string& key, const std::string& name, const RawValue& value) {
    const auto [root, path] = split(key);
    RegistryKey created = 0;
    if (registry.create_key(root, path, kSetValue, created) != kRegistryOk) return;
    (void)registry.set_value(created, name, value.type, std::vector<std::uint8_t>(value.bytes.begin(), value.bytes.end()));
    registry.close_key(created);
}

}  // namespace vantelmoor::test

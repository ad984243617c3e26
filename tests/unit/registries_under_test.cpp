// The registries the settings suite runs against. The real one starts and ends without the
// program's keys, so the suite sees a clean machine.
#include "fakes/fake_registry.h"
#include "registry_under_test.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/registry_win32.h"
#include "store/settings.h"
#endif

namespace vantelmoor::test {
namespace {

class InMemory final : public RegistryUnderTest {
public:
    Registry& registry() override { return fake_; }
    std::optional<RawValue> raw(const std::string& key, const std::string& name) override {
        const auto& values = fake_.keys[key];
        const auto value = values.find(name);
        if (value == values.end()) return std::nullopt;
        return RawValue{value->second.type, std::string(value->second.data.begin(), value->second.data.end())};
    }
    void put_raw(const std::string& key, const std::string& name, const RawValue& value) override {
        fake_.keys[key][name] = {value.type, std::vector<std::uint8_t>(value.bytes.begin(), value.bytes.end())};
    }
private:
    FakeRegistry fake_;
};

#ifdef _WIN32
class Real final : public RegistryUnderTest {
public:
    Real() { clean(); }
    ~Real() override { clean(); }
    Registry& registry() override { return registry_; }
    std::optional<RawValue> raw(const std::string& key, const std::string& name) override {
        HKEY opened = nullptr;
        const bool user = key.starts_with("HKCU\\");
        if (RegOpenKeyExA(user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, key.c_str() + (user ? 5 : 0), 0,
                          KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        DWORD type = 0;
        DWORD size = 4096;
        std::string bytes(size, '\0');
        const LONG result = RegQueryValueExA(opened, name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(bytes.data()), &size);
        RegCloseKey(opened);
        if (result != ERROR_SUCCESS) return std::nullopt;
        bytes.resize(size);
        return RawValue{type, bytes};
    }
    void put_raw(const std::string& key, const std::string& name, const RawValue& value) override {
        HKEY created = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr);
        RegSetValueExA(created, name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                       static_cast<DWORD>(value.bytes.size()));
        RegCloseKey(created);
    }

private:
    static void clean() {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vantelmoor");
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kAutostartValue);
    }
    win32::Win32Registry registry_;
};
#endif

}  // namespace

std::vector<NamedRegistry> registries_under_test() {
    std::vector<NamedRegistry> registries{{"InMemory", [] { return std::make_unique<InMemory>(); }}};
#ifdef _WIN32
    registries.push_back({"Real", [] { return std::make_unique<Real>(); }});
#endif
    return registries;
}

}  // namespace vantelmoor::test

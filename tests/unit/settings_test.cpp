// The settings store, against the in-memory registry and, under Wine, the real one; on the in-memory
// one alone, a refused read told from a missing one, the caller-ID command rule and the Run values.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

#include "fakes/fake_registry.h"
#include "store/caller_id_command.h"
#include "store/settings.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/registry_win32.h"
#endif

namespace vantelmoor {
namespace {

struct NamedRegistry {
    std::string name;
    std::function<std::shared_ptr<Registry>()> make;  // a clean machine, cleaned again when dropped
};

std::vector<NamedRegistry> registries() {
    std::vector<NamedRegistry> all{{"InMemory", [] { return std::make_shared<test::FakeRegistry>(); }}};
#ifdef _WIN32
    static const auto clean = [] {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vantelmoor");
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kAutostartValue);
    };
    all.push_back({"Real", [] {
                       clean();
                       return std::shared_ptr<Registry>(new win32::Win32Registry, [](Registry* registry) {
                           delete registry;
                           clean();
                       });
                   }});
#endif
    return all;
}

// A value's type and bytes, through the six operations; key: under HKEY_LOCAL_MACHINE, or "HKCU\\"
// and a path under HKEY_CURRENT_USER.
struct RawValue {
    std::uint32_t type = 0;
    std::string bytes;
};
std::pair<RegistryRoot, std::string> split(const std::string& key) {
    return key.starts_with("HKCU\\") ? std::pair{RegistryRoot::CurrentUser, key.substr(5)}
                                     : std::pair{RegistryRoot::LocalMachine, key};
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
void put_raw(Registry& registry, const std::string& name, const RawValue& value) {
    RegistryKey created = 0;
    ASSERT_EQ(registry.create_key(RegistryRoot::LocalMachine, kSettingsKey, kSetValue, created), kRegistryOk);
    EXPECT_EQ(registry.set_value(created, name, value.type, {value.bytes.begin(), value.bytes.end()}), kRegistryOk);
    registry.close_key(created);
}

constexpr const char* kDir = "C:\\Tools\\Vantelmoor";
constexpr const char* kRunCommand = "\"C:\\Tools\\Vantelmoor\\Vantelmoor.exe\"";
const std::string kUserRun = std::string("HKCU\\") + kRunKey;

class SettingsStoreTest : public ::testing::TestWithParam<NamedRegistry> {
protected:
    std::shared_ptr<Registry> backend = GetParam().make();
    Settings settings;
    SettingsStore store{*backend, settings, kDir, false};

    void put(const char* name, const std::string& text) { put_raw(*backend, name, {kRegSz, text + '\0'}); }
    // ANSI bytes, one NUL, length = characters + 1; nullopt: absent.
    std::optional<std::string> stored(const std::string& key, const char* name) {
        const auto value = raw(*backend, key, name);
        if (!value) return std::nullopt;
        EXPECT_EQ(value->type, kRegSz) << name;
        EXPECT_EQ(value->bytes.back(), '\0') << name;
        return value->bytes.substr(0, value->bytes.size() - 1);
    }
};

TEST_P(SettingsStoreTest, ACleanMachineGetsOnlyTheCallerIdCommandAndShowsTheOptionsDefaultsUnsaved) {
    EXPECT_TRUE(store.load_all().empty());
    EXPECT_EQ(stored(kSettingsKey, "CommCommand"), "AT+VCID=1");
    for (const char* name : {"TotalCount", "TotalBlocked", "Startup Flag", "BlockAnonNum", "BlockAnonName"}) {
        EXPECT_FALSE(stored(kSettingsKey, name)) << name;
    }
    EXPECT_TRUE(settings.startup_flag && settings.block_anon_num && settings.block_anon_name);
    EXPECT_TRUE(store.load_options().defaulted);
    EXPECT_FALSE(stored(kUserRun, kAutostartValue));
}

TEST_P(SettingsStoreTest, SavedValuesAreTextWithTheirBytesAndLoadBackTheSame) {
    settings = {"AT#CID=1", 32767, -5, true, false, true};
    EXPECT_FALSE(store.save_total_count() || store.save_total_blocked() || store.save_comm_command() ||
                 store.save_options());
    EXPECT_EQ(stored(kSettingsKey, "TotalBlocked"), "-5");
    EXPECT_EQ(stored(kSettingsKey, "BlockAnonName"), "False");
    EXPECT_EQ(stored(kUserRun, kAutostartValue), kRunCommand);
    Settings loaded;
    SettingsStore reader(*backend, loaded, kDir, false);
    EXPECT_TRUE(reader.load_all().empty());
    EXPECT_EQ((std::tuple{loaded.comm_command, loaded.total_count, loaded.total_blocked}),
              (std::tuple{std::string("AT#CID=1"), std::int16_t{32767}, std::int16_t{-5}}));
    EXPECT_TRUE(loaded.startup_flag && loaded.block_anon_num && !loaded.block_anon_name);

    settings.startup_flag = false;  // the Run value goes; gone already is fine
    EXPECT_FALSE(store.save_options());
    EXPECT_FALSE(store.save_options());
    EXPECT_FALSE(stored(kUserRun, kAutostartValue));
}

TEST_P(SettingsStoreTest, OddValuesLeaveTheFieldAsItWasAndCommandsOfAnyTypeAreText) {
    settings.total_count = 7;
    for (const char* bad : {"40000", "-32769", "lots", "", "12abc"}) {
        put("TotalCount", bad);
        (void)store.load_all();
        EXPECT_EQ(settings.total_count, 7) << bad;
    }
    const std::pair<const char*, bool> flags[] = {
        {"TRUE", true}, {"false", false}, {"1", true}, {"0", false}, {"-5", true}};
    for (const auto& [text, expected] : flags) {
        put("BlockAnonName", text);
        settings.block_anon_name = !expected;
        (void)store.load_options();
        EXPECT_EQ(settings.block_anon_name, expected) << text;
    }
    put("BlockAnonName", "maybe");
    (void)store.load_options();
    EXPECT_TRUE(settings.block_anon_name);                              // as the last value left it
    const std::string too_long = "AT+VCID=1;" + std::string(300, 'D');  // longer than the first read takes
    put("CommCommand", too_long);
    EXPECT_EQ(store.load_all().size(), 1u);
    EXPECT_EQ(settings.comm_command, "AT+VCID=1");
    EXPECT_EQ(stored(kSettingsKey, "CommCommand"), too_long);           // left for the administrator to see
    put_raw(*backend, "CommCommand", {4, std::string("at*id2\0", 7)});  // a DWORD's type, read as text
    (void)store.load_all();
    EXPECT_EQ(settings.comm_command, "at*id2");
}

INSTANTIATE_TEST_SUITE_P(Registries, SettingsStoreTest, ::testing::ValuesIn(registries()),
                         [](const auto& info) { return info.param.name; });

// Every user may write the value, and the modem sends what it is given: only caller-ID set-up passes.
TEST(CallerIdCommandTest, OnlyAtAndUpToThreeDifferentCallerIdSettingsPass) {
    const char* accepted[] = {"AT+VCID=1",         "AT#VCID=1", "AT#CID=1",
                              "AT%CCID=1",         "AT*ID1",    "AT+CLIP=1",
                              "AT-SCID=1;+VCID=1", "at+vcid=2", "AT#CID=0;*ID1;+CLIP=2"};
    for (const char* command : accepted) EXPECT_EQ(caller_id_command_fault(command), std::nullopt) << command;
    const char* refused[] = {"AT+VCID=1\rATDT19005551234",  // a second command after a carriage return
                             "AT+VCID=1;DT19005551234",     // a dial
                             "AT+IPR=0",                    // the port's speed
                             "AT+VCID=1;+IPR=115200",
                             "AT+VCID=1;D",
                             "ATD5551234",
                             "AT+FCLASS=8;+VLS=1;+VTS=1",
                             "AT+VLS=1",
                             "AT+VTS=1",
                             "ATZ",
                             "AT +VCID=1",
                             "AT+VCID=1 ",
                             "AT+VCID=1;+VCID=1",
                             "AT+VCID=1;+VCID=2",
                             "AT+VCID=3",
                             "AT+VCID=",
                             "AT",
                             "",
                             "AT+VCID=1;",
                             "AT;+VCID=1",
                             "AT+VCID=1;#CID=1;*ID1;+CLIP=1"};  // the last: four settings
    for (const char* command : refused) EXPECT_NE(caller_id_command_fault(command), std::nullopt) << command;

    test::FakeRegistry registry;
    registry.put_text(kSettingsKey, "CommCommand", "AT+VCID=1;DT900");
    Settings settings;
    SettingsStore store(registry, settings, kDir, false);
    EXPECT_EQ(store.load_all().size(), 1u);
    EXPECT_EQ(settings.comm_command, "AT+VCID=1");
    EXPECT_EQ(registry.text(kSettingsKey, "CommCommand"), "AT+VCID=1;DT900");  // left for the administrator to see
}

// With the key refused, every default written would go over a value the program could not see.
TEST(RegistryRefusalTest, ARefusedReadIsNotedAndNothingIsWrittenFromDefaults) {
    test::FakeRegistry registry;
    registry.put_text(kSettingsKey, "TotalCount", "120");
    registry.unreadable.insert(kSettingsKey);
    Settings settings;
    SettingsStore store(registry, settings, kDir, false);
    const RegistryNotes notes = store.load_all();
    EXPECT_EQ(notes.size(), 7u);  // the two totals, the command and the four options
    EXPECT_NE(notes[0].find("TotalCount could not be read"), std::string::npos) << notes[0];
    EXPECT_EQ(settings.comm_command, "AT+VCID=1");
    EXPECT_EQ(settings.total_count, 0);
    EXPECT_FALSE(settings.startup_flag || settings.block_anon_num || settings.block_anon_name);
    EXPECT_FALSE(store.load_options().defaulted);
    ++settings.total_count;
    EXPECT_TRUE(store.save_total_count());  // said, not hidden
    registry.unreadable.clear();
    EXPECT_TRUE(store.save_total_count());  // still not over a value it never saw
    EXPECT_TRUE(registry.writes.empty());
}

// Only setup writes the machine-wide Run value; an installed copy shows setup's choice.
TEST(AutostartTest, OnlyTheUsersRunValueIsWrittenAndAnInstalledCopyWritesNothingMachineWide) {
    test::FakeRegistry registry;
    Settings settings;
    SettingsStore zip_copy(registry, settings, kDir, false);
    settings.startup_flag = true;
    EXPECT_FALSE(zip_copy.save_options());
    EXPECT_EQ(registry.text(kUserRun, kAutostartValue), kRunCommand);
    EXPECT_FALSE(registry.keys.contains(kRunKey));

    registry = {};
    SettingsStore installed(registry, settings, "C:\\Program Files\\Vantelmoor", true);
    EXPECT_TRUE(installed.startup_is_machine_wide());
    (void)installed.load_options();
    EXPECT_FALSE(settings.startup_flag);
    registry.put_text(kRunKey, kAutostartValue, "\"C:\\Program Files\\Vantelmoor\\Vantelmoor.exe\"");
    (void)installed.load_options();
    EXPECT_TRUE(settings.startup_flag);
    settings.startup_flag = false;
    EXPECT_FALSE(installed.save_options());
    EXPECT_EQ(registry.writes, (std::vector<std::string>{"BlockAnonNum", "BlockAnonName"}));
}

}  // namespace
}  // namespace vantelmoor

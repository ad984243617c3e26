// The settings store on the in-memory registry and, under Wine, the real one; a refused read; the command rule.
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

constexpr const char* kDir = "C:\\Tools\\Vantelmoor";

class SettingsStoreTest : public ::testing::TestWithParam<NamedRegistry> {
protected:
    std::shared_ptr<Registry> backend = GetParam().make();
    Settings settings;
    SettingsStore store{*backend, settings, kDir, false};

    // A settings value of any type: its text and one NUL.
    void put(const char* name, const std::string& text, std::uint32_t type = kRegSz) {
        RegistryKey key = 0;
        ASSERT_EQ(backend->create_key(RegistryRoot::LocalMachine, kSettingsKey, kSetValue, key), kRegistryOk);
        EXPECT_EQ(backend->set_value(key, name, type, {text.c_str(), text.c_str() + text.size() + 1}), kRegistryOk);
        backend->close_key(key);
    }
    // A text value as written: ANSI bytes, one NUL, length = characters + 1; nullopt: absent.
    std::optional<std::string> stored(const char* name, RegistryRoot root = RegistryRoot::LocalMachine,
                                      const char* key = kSettingsKey) {
        RegistryKey opened = 0;
        if (backend->open_key(root, key, kQueryValue, opened) != kRegistryOk) return std::nullopt;
        std::uint32_t type = 0, size = 4096;
        std::vector<std::uint8_t> data(size);
        const long result = backend->query_value(opened, name, type, data, size);
        backend->close_key(opened);
        if (result != kRegistryOk) return std::nullopt;
        const std::string text(data.begin(), data.begin() + size);
        EXPECT_EQ(type, kRegSz) << name;
        EXPECT_TRUE(text.ends_with('\0')) << name;
        return text.empty() ? text : text.substr(0, text.size() - 1);
    }
    std::optional<std::string> run_value() { return stored(kAutostartValue, RegistryRoot::CurrentUser, kRunKey); }
};

TEST_P(SettingsStoreTest, ACleanMachineGetsOnlyTheCallerIdCommandAndShowsTheOptionsDefaultsUnsaved) {
    EXPECT_TRUE(store.load_all().empty());
    EXPECT_EQ(stored("CommCommand"), "AT+VCID=1");
    for (const char* name : {"TotalCount", "TotalBlocked", "Startup Flag", "BlockAnonNum", "BlockAnonName"})
        EXPECT_FALSE(stored(name)) << name;
    EXPECT_TRUE(settings.startup_flag && settings.block_anon_num && settings.block_anon_name);
    EXPECT_FALSE(run_value());
}

// Only setup writes the machine-wide Run value: any other copy starts with Windows through the user's.
TEST_P(SettingsStoreTest, SavedValuesAreTextWithTheirBytesAndLoadBackTheSame) {
    settings = {"AT#CID=1", 32767, -5, true, false, true};
    EXPECT_FALSE(store.save_total_count() || store.save_total_blocked() || store.save_comm_command() ||
                 store.save_options());
    EXPECT_EQ(stored("TotalBlocked"), "-5");
    EXPECT_EQ(stored("BlockAnonName"), "False");
    EXPECT_EQ(run_value(), "\"C:\\Tools\\Vantelmoor\\Vantelmoor.exe\"");  // quoted, as it may hold spaces
    EXPECT_FALSE(stored(kAutostartValue, RegistryRoot::LocalMachine, kRunKey));
    settings = {};
    EXPECT_TRUE(store.load_all().empty());
    EXPECT_EQ((std::tuple{settings.comm_command, settings.total_count, settings.total_blocked}),
              (std::tuple{std::string("AT#CID=1"), std::int16_t{32767}, std::int16_t{-5}}));
    EXPECT_TRUE(settings.startup_flag && settings.block_anon_num && !settings.block_anon_name);

    settings.startup_flag = false;  // the Run value goes; gone already is fine
    EXPECT_FALSE(store.save_options());
    EXPECT_FALSE(store.save_options());
    EXPECT_FALSE(run_value());
}

TEST_P(SettingsStoreTest, OddValuesLeaveTheFieldAsItWasAndCommandsOfAnyTypeAreText) {
    settings.total_count = 7;
    for (const char* bad : {"40000", "-32769", "lots", "", "12abc"}) {
        put("TotalCount", bad);
        (void)store.load_all();
        EXPECT_EQ(settings.total_count, 7) << bad;
    }
    // Each text changes the option (missing, it was on) but "maybe", which leaves it as the last one did.
    const std::pair<const char*, bool> flags[] = {{"false", false}, {"TRUE", true},   {"0", false}, {"maybe", false},
                                                  {"1", true},      {"FALSE", false}, {"-5", true}};
    for (const auto& [text, expected] : flags) {
        put("BlockAnonName", text);
        (void)store.load_options();
        EXPECT_EQ(settings.block_anon_name, expected) << text;
    }
    const std::string too_long = "AT+VCID=1;" + std::string(300, 'D');  // longer than the first read takes
    put("CommCommand", too_long);
    EXPECT_EQ(store.load_all().size(), 1u);
    EXPECT_EQ(settings.comm_command, "AT+VCID=1");
    EXPECT_EQ(stored("CommCommand"), too_long);  // left for the administrator to see
    put("CommCommand", "at*id2", 4);             // a DWORD's type, read as text
    (void)store.load_all();
    EXPECT_EQ(settings.comm_command, "at*id2");
}

INSTANTIATE_TEST_SUITE_P(Registries, SettingsStoreTest, ::testing::ValuesIn(registries()),
                         [](const auto& info) { return info.param.name; });

// Every user may write the value, and the modem sends what it is given: only caller-ID set-up passes.
TEST(CallerIdCommandTest, OnlyAtAndUpToThreeDifferentCallerIdSettingsPass) {
    for (const char* command : {"AT+VCID=1", "AT#VCID=1", "AT#CID=1", "AT%CCID=1", "AT*ID1", "AT+CLIP=1",
                                "AT-SCID=1;+VCID=1", "at+vcid=2", "AT#CID=0;*ID1;+CLIP=2"})
        EXPECT_EQ(caller_id_command_fault(command), std::nullopt) << command;
    // Any other command: a second one after a carriage return, a dial, the port's speed, voice, a reset.
    for (const char* command :
         {"AT+VCID=1\rATDT19005551234", "AT+VCID=1;DT19005551234", "AT+IPR=0", "AT+VCID=1;+IPR=115200", "AT+VCID=1;D",
          "ATD5551234", "AT+FCLASS=8;+VLS=1;+VTS=1", "AT+VLS=1", "AT+VTS=1", "ATZ"})
        EXPECT_NE(caller_id_command_fault(command), std::nullopt) << command;
    // Set-up written wrong: spaces, a setting twice, a value out of range or missing, four settings.
    for (const char* command : {"AT +VCID=1", "AT+VCID=1 ", "AT+VCID=1;+VCID=1", "AT+VCID=1;+VCID=2", "AT+VCID=3",
                                "AT+VCID=", "AT", "", "AT+VCID=1;", "AT;+VCID=1", "AT+VCID=1;#CID=1;*ID1;+CLIP=1"})
        EXPECT_NE(caller_id_command_fault(command), std::nullopt) << command;
}

// With the key refused, every default written would go over a value the program could not see.
TEST(RegistryRefusalTest, ARefusedReadIsNotedAndNothingIsWrittenFromDefaults) {
    test::FakeRegistry registry;
    registry.unreadable.insert(kSettingsKey);
    Settings settings;
    SettingsStore store(registry, settings, kDir, false);
    const RegistryNotes notes = store.load_all();
    EXPECT_EQ(notes.size(), 7u);  // the two totals, the command and the four options
    EXPECT_NE(notes[0].find("TotalCount could not be read"), std::string::npos) << notes[0];
    EXPECT_EQ(settings.comm_command, "AT+VCID=1");
    EXPECT_FALSE(settings.startup_flag || settings.block_anon_num || settings.block_anon_name);
    EXPECT_FALSE(store.load_options().defaulted);
    registry.unreadable.clear();
    EXPECT_TRUE(store.save_total_count());  // said, and not over a value it never saw
    EXPECT_TRUE(registry.writes.empty());
}

}  // namespace
}  // namespace vantelmoor

// The settings store over an in-memory registry: every load's missing path and conversion, and
// the exact bytes every save writes.
#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "store/settings.h"

namespace vantelmoor {
namespace {

using test::FakeRegistry;

constexpr const char* kDir = "C:\\Program Files\\Vantelmoor";

class SettingsStoreTest : public ::testing::Test {
protected:
    FakeRegistry registry;
    Settings settings;
    SettingsStore store{registry, settings, kDir};

    std::string stored(const char* name) const { return registry.text(kSettingsKey, name); }
    void put(const char* name, const std::string& text) { registry.put_text(kSettingsKey, name, text); }
};

TEST_F(SettingsStoreTest, CleanMachineStartUpWritesOnlyTheCallerIdCommand) {
    store.load_total_count();
    store.load_total_blocked();
    store.load_comm_command();

    EXPECT_EQ(settings.comm_command, "AT+VCID=1");
    ASSERT_EQ(registry.keys[kSettingsKey].size(), 1u);
    EXPECT_EQ(stored("CommCommand"), "AT+VCID=1");
    EXPECT_EQ(settings.total_count, 0);
    EXPECT_EQ(settings.total_blocked, 0);
    EXPECT_EQ(registry.open_handles, 0);
}

TEST_F(SettingsStoreTest, SavedValuesAreAnsiTextWithOneNulAndTypeRegSz) {
    settings.comm_command = "AT#VCID=1";
    store.save_comm_command();
    settings.total_count = -12;
    store.save_total_count();

    const auto& command = registry.keys[kSettingsKey]["CommCommand"];
    EXPECT_EQ(command.type, kRegSz);
    const std::vector<std::uint8_t> expected{'A', 'T', '#', 'V', 'C', 'I', 'D', '=', '1', 0};
    EXPECT_EQ(command.data, expected);  // length = characters + 1
    EXPECT_EQ(stored("TotalCount"), "-12");
}

TEST_F(SettingsStoreTest, CommandsUpTo254CharactersLoadWholeAndLongerCountAsMissing) {
    const std::string command254(254, 'A');
    put("CommCommand", command254);
    store.load_comm_command();
    EXPECT_EQ(settings.comm_command, command254);

    put("CommCommand", std::string(255, 'B'));
    store.load_comm_command();
    EXPECT_EQ(settings.comm_command, "AT+VCID=1");
    EXPECT_EQ(stored("CommCommand"), "AT+VCID=1");
}

TEST_F(SettingsStoreTest, EmptyCommandLoadsAsEmptyWithoutDefault) {
    put("CommCommand", "");
    store.load_comm_command();
    EXPECT_EQ(settings.comm_command, "");
    EXPECT_EQ(stored("CommCommand"), "");
}

TEST_F(SettingsStoreTest, CommandIsTakenVerbatimWhateverItsRegistryType) {
    registry.keys[kSettingsKey]["CommCommand"] = {4, {' ', 'A', 'T', ' ', 0}};  // REG_DWORD-typed bytes
    store.load_comm_command();
    EXPECT_EQ(settings.comm_command, " AT ");
}

TEST_F(SettingsStoreTest, CountersKeepTheirValueWhenMissingOrUnconvertible) {
    settings.total_count = 7;
    store.load_total_count();
    EXPECT_EQ(settings.total_count, 7);
    EXPECT_EQ(stored("TotalCount"), "<absent>");

    for (const char* bad : {"40000", "-32769", "lots", "", "12abc"}) {
        put("TotalCount", bad);
        store.load_total_count();
        EXPECT_EQ(settings.total_count, 7) << bad;
    }
    put("TotalCount", "32767");
    store.load_total_count();
    EXPECT_EQ(settings.total_count, 32767);
    put("TotalBlocked", "-32768");
    store.load_total_blocked();
    EXPECT_EQ(settings.total_blocked, -32768);
}

TEST_F(SettingsStoreTest, FlagsAcceptWordsInAnyCaseAndNumbers) {
    const std::pair<const char*, bool> cases[] = {
        {"TRUE", true}, {"false", false}, {"True", true}, {"1", true}, {"0", false}, {"-5", true}};
    for (const auto& [text, expected] : cases) {
        settings.block_anon_name = !expected;
        put("BlockAnonName", text);
        store.load_block_anon_name();
        EXPECT_EQ(settings.block_anon_name, expected) << text;
    }
    settings.block_anon_num = false;
    put("BlockAnonNum", "maybe");
    store.load_block_anon_num();
    EXPECT_FALSE(settings.block_anon_num);
    EXPECT_EQ(stored("BlockAnonNum"), "maybe");
}

TEST_F(SettingsStoreTest, MissingFlagsBecomeTrueAndAreSaved) {
    store.load_startup_flag();
    store.load_block_anon_num();
    store.load_block_anon_name();

    EXPECT_TRUE(settings.startup_flag);
    EXPECT_TRUE(settings.block_anon_num);
    EXPECT_TRUE(settings.block_anon_name);
    EXPECT_EQ(stored("Startup Flag"), "True");
    EXPECT_EQ(stored("BlockAnonNum"), "True");
    EXPECT_EQ(stored("BlockAnonName"), "True");
    EXPECT_EQ(registry.text(kRunKey, "Vantelmoor"), std::string(kDir) + "\\Vantelmoor.exe");
}

TEST_F(SettingsStoreTest, StartupFlagSavesAndRemovesTheAutostartEntry) {
    settings.startup_flag = true;
    store.save_startup_flag();
    EXPECT_EQ(registry.text(kRunKey, "Vantelmoor"), "C:\\Program Files\\Vantelmoor\\Vantelmoor.exe");
    EXPECT_EQ(registry.keys[kRunKey]["Vantelmoor"].type, kRegSz);

    settings.startup_flag = false;
    store.save_startup_flag();
    EXPECT_EQ(stored("Startup Flag"), "False");
    EXPECT_EQ(registry.text(kRunKey, "Vantelmoor"), "<absent>");

    store.save_startup_flag();  // no entry to remove: silently fine
    EXPECT_EQ(stored("Startup Flag"), "False");
    EXPECT_EQ(registry.open_handles, 0);
}

TEST_F(SettingsStoreTest, UserWithoutWriteAccessTakesEveryMissingPathAndSavesNothing) {
    put("CommCommand", "AT#VCID=1");
    put("TotalCount", "12");
    put("BlockAnonName", "False");
    registry.read_only = true;

    store.load_comm_command();
    store.load_total_count();
    store.load_block_anon_name();
    store.load_startup_flag();

    EXPECT_EQ(settings.comm_command, "AT+VCID=1");
    EXPECT_EQ(settings.total_count, 0);
    EXPECT_TRUE(settings.block_anon_name);
    EXPECT_TRUE(settings.startup_flag);
    EXPECT_EQ(stored("CommCommand"), "AT#VCID=1");
    EXPECT_EQ(stored("BlockAnonName"), "False");
    EXPECT_EQ(registry.text(kRunKey, "Vantelmoor"), "<absent>");
    EXPECT_EQ(registry.open_handles, 0);
}

}  // namespace
}  // namespace vantelmoor

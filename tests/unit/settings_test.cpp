// The settings store, run against every registry of registries_under_test(): what each load does
// with a missing or odd value, and the exact bytes each save leaves.
#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "registry_under_test.h"
#include "store/settings.h"

namespace vantelmoor {
namespace {

using test::RawValue;

constexpr const char* kDir = "C:\\Program Files\\Vantelmoor";

RawValue text_value(const std::string& text) { return {kRegSz, text + '\0'}; }

class SettingsStoreTest : public ::testing::TestWithParam<test::NamedRegistry> {
protected:
    std::unique_ptr<test::RegistryUnderTest> backend = GetParam().make();
    Settings settings;
    SettingsStore store{backend->registry(), settings, kDir};

    std::optional<RawValue> stored(const char* name) { return backend->raw(kSettingsKey, name); }
    void put(const char* name, const std::string& text) { backend->put_raw(kSettingsKey, name, text_value(text)); }
    void expect_text(const char* key, const char* name, const std::string& text) {
        const auto value = backend->raw(key, name);
        ASSERT_TRUE(value) << name;
        EXPECT_EQ(value->type, kRegSz) << name;
        EXPECT_EQ(value->bytes, text + '\0') << name;  // ANSI bytes, one NUL, length = characters + 1
    }
};

TEST_P(SettingsStoreTest, CleanMachineStartUpWritesOnlyTheCallerIdCommand) {
    store.load_total_count();
    store.load_total_blocked();
    EXPECT_FALSE(store.load_comm_command());
    EXPECT_EQ(settings.comm_command, "AT+VCID=1");
    expect_text(kSettingsKey, "CommCommand", "AT+VCID=1");
    EXPECT_FALSE(stored("TotalCount"));
    EXPECT_FALSE(stored("TotalBlocked"));
    EXPECT_EQ(settings.total_count, 0);
}

TEST_P(SettingsStoreTest, ValuesRoundTripAsTextWithTheirBytesUnchanged) {
    settings.total_count = 32767;
    settings.total_blocked = -5;
    settings.block_anon_num = true;
    settings.comm_command = "AT\xE9\xFC";
    EXPECT_FALSE(store.save_total_count());
    EXPECT_FALSE(store.save_total_blocked());
    EXPECT_FALSE(store.save_block_anon_num());
    EXPECT_FALSE(store.save_comm_command());
    expect_text(kSettingsKey, "TotalBlocked", "-5");
    expect_text(kSettingsKey, "BlockAnonNum", "True");
    expect_text(kSettingsKey, "CommCommand", "AT\xE9\xFC");

    Settings loaded;
    SettingsStore reader(backend->registry(), loaded, kDir);
    reader.load_total_count();
    reader.load_total_blocked();
    EXPECT_FALSE(reader.load_block_anon_num());
    EXPECT_FALSE(reader.load_comm_command());
    EXPECT_EQ(loaded.total_count, 32767);
    EXPECT_EQ(loaded.total_blocked, -5);
    EXPECT_TRUE(loaded.block_anon_num);
    EXPECT_EQ(loaded.comm_command, "AT\xE9\xFC");
}

TEST_P(SettingsStoreTest, CommandsAreTakenVerbatimUpTo254Characters) {
    put("CommCommand", std::string(254, 'A'));
    EXPECT_FALSE(store.load_comm_command());
    EXPECT_EQ(settings.comm_command, std::string(254, 'A'));
    put("CommCommand", std::string(255, 'B'));  // too long for the buffer: counts as missing
    EXPECT_FALSE(store.load_comm_command());
    EXPECT_EQ(settings.comm_command, "AT+VCID=1");
    expect_text(kSettingsKey, "CommCommand", "AT+VCID=1");
    put("CommCommand", "");
    EXPECT_FALSE(store.load_comm_command());
    EXPECT_EQ(settings.comm_command, "");
    backend->put_raw(kSettingsKey, "CommCommand", {4, std::string(" AT \0", 5)});  // any type is text
    EXPECT_FALSE(store.load_comm_command());
    EXPECT_EQ(settings.comm_command, " AT ");
}

TEST_P(SettingsStoreTest, CountersKeepTheirValueWhenMissingOrUnconvertible) {
    settings.total_count = 7;
    store.load_total_count();
    EXPECT_EQ(settings.total_count, 7);
    for (const char* bad : {"40000", "-32769", "lots", "", "12abc"}) {
        put("TotalCount", bad);
        store.load_total_count();
        EXPECT_EQ(settings.total_count, 7) << bad;
    }
    put("TotalBlocked", "-32768");
    store.load_total_blocked();
    EXPECT_EQ(settings.total_blocked, -32768);
}

TEST_P(SettingsStoreTest, FlagsAcceptWordsInAnyCaseAndNumbersAndMissingOnesBecomeTrue) {
    const std::pair<const char*, bool> cases[] = {
        {"TRUE", true}, {"false", false}, {"True", true}, {"1", true}, {"0", false}, {"-5", true}};
    for (const auto& [text, expected] : cases) {
        settings.block_anon_name = !expected;
        put("BlockAnonName", text);
        EXPECT_FALSE(store.load_block_anon_name());
        EXPECT_EQ(settings.block_anon_name, expected) << text;
    }
    put("BlockAnonNum", "maybe");  // left as it was, and the stored text too
    EXPECT_FALSE(store.load_block_anon_num());
    EXPECT_FALSE(settings.block_anon_num);
    expect_text(kSettingsKey, "BlockAnonNum", "maybe");

    EXPECT_FALSE(store.load_startup_flag());
    EXPECT_TRUE(settings.startup_flag);
    expect_text(kSettingsKey, "Startup Flag", "True");
}

TEST_P(SettingsStoreTest, AutostartEntryFollowsTheStartupFlagWithThePathInQuotes) {
    settings.startup_flag = true;
    EXPECT_FALSE(store.save_startup_flag());
    expect_text(kRunKey, "Vantelmoor", "\"" + std::string(kDir) + "\\Vantelmoor.exe\"");
    settings.startup_flag = false;
    EXPECT_FALSE(store.save_startup_flag());
    EXPECT_FALSE(backend->raw(kRunKey, "Vantelmoor"));
    EXPECT_FALSE(store.save_startup_flag());  // no entry to remove: fine
    expect_text(kSettingsKey, "Startup Flag", "False");
}

TEST_P(SettingsStoreTest, UserWithoutWriteAccessTakesEveryMissingPathAndIsToldSavesFailed) {
    put("CommCommand", "AT#VCID=1");
    put("TotalCount", "12");
    if (!backend->make_read_only()) GTEST_SKIP() << "this registry gives every user every right";
    EXPECT_TRUE(store.load_comm_command());  // the default could not be saved
    store.load_total_count();
    EXPECT_TRUE(store.load_startup_flag());
    EXPECT_EQ(settings.comm_command, "AT+VCID=1");
    EXPECT_EQ(settings.total_count, 0);
    EXPECT_TRUE(settings.startup_flag);
    expect_text(kSettingsKey, "CommCommand", "AT#VCID=1");
    EXPECT_FALSE(backend->raw(kRunKey, "Vantelmoor"));
    const RegistryFailure failure = store.save_total_count();
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->empty());
}

TEST(AutostartFallbackTest, ARefusedMachineWideRunKeyGivesTheUsersOwnAndUntickingRemovesEither) {
    test::FakeRegistry registry;
    Settings settings;
    SettingsStore store(registry, settings, kDir);
    const std::string user_run = test::FakeRegistry::named(RegistryRoot::CurrentUser, kRunKey);
    registry.refused.insert(kRunKey);
    settings.startup_flag = true;
    EXPECT_FALSE(store.save_startup_flag());
    EXPECT_TRUE(store.autostart_per_user());
    EXPECT_EQ(registry.text(user_run, "Vantelmoor"), "\"" + std::string(kDir) + "\\Vantelmoor.exe\"");
    EXPECT_EQ(registry.text(kRunKey, "Vantelmoor"), "<absent>");

    registry.refused.clear();  // an administrator's run: the machine-wide entry, and only that one
    EXPECT_FALSE(store.save_startup_flag());
    EXPECT_FALSE(store.autostart_per_user());
    EXPECT_EQ(registry.text(user_run, "Vantelmoor"), "<absent>");

    registry.put_text(user_run, "Vantelmoor", "old");
    settings.startup_flag = false;
    EXPECT_FALSE(store.save_startup_flag());
    EXPECT_EQ(registry.text(kRunKey, "Vantelmoor"), "<absent>");
    EXPECT_EQ(registry.text(user_run, "Vantelmoor"), "<absent>");

    registry.put_text(kRunKey, "Vantelmoor", "left by an administrator");
    registry.refused.insert(kRunKey);  // ... which this account may not remove: said, not hidden
    EXPECT_TRUE(store.save_startup_flag());
    EXPECT_EQ(registry.text(kRunKey, "Vantelmoor"), "left by an administrator");
}

INSTANTIATE_TEST_SUITE_P(Registries, SettingsStoreTest, ::testing::ValuesIn(test::registries_under_test()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vantelmoor

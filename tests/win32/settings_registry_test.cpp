// The settings store on the real registry: the bytes advapi32 ends up holding, read back with the
// system's own calls.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/registry_win32.h"
#include "store/settings.h"

namespace vantelmoor {
namespace {

struct RawValue {
    LONG result = ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    std::vector<BYTE> bytes;
};

RawValue read_raw(const char* path, const char* name) {
    RawValue value;
    HKEY key = nullptr;
    value.result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key);
    if (value.result != ERROR_SUCCESS) return value;
    DWORD size = 0;
    value.result = RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size);
    value.bytes.resize(size);
    if (value.result == ERROR_SUCCESS) {
        value.result = RegQueryValueExA(key, name, nullptr, &value.type, value.bytes.data(), &size);
    }
    RegCloseKey(key);
    return value;
}

void write_raw(const char* name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

class SettingsRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Vantelmoor");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, kAutostartValue);
    }
    void TearDown() override { SetUp(); }

    win32::Win32Registry registry;
    Settings settings;
    SettingsStore store{registry, settings, "C:\\Program Files\\Vantelmoor"};
};

TEST_F(SettingsRegistryTest, CleanRegistryGetsTheKeyAndOnlyTheDefaultCommand) {
    store.load_total_count();
    store.load_total_blocked();
    store.load_comm_command();

    const RawValue command = read_raw(kSettingsKey, "CommCommand");
    ASSERT_EQ(command.result, ERROR_SUCCESS);
    EXPECT_EQ(command.type, static_cast<DWORD>(REG_SZ));
    const std::vector<BYTE> expected{'A', 'T', '+', 'V', 'C', 'I', 'D', '=', '1', 0};
    EXPECT_EQ(command.bytes, expected);
    EXPECT_EQ(read_raw(kSettingsKey, "TotalCount").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(read_raw(kSettingsKey, "TotalBlocked").result, ERROR_FILE_NOT_FOUND);
}

TEST_F(SettingsRegistryTest, CountersAndFlagsRoundTripAsText) {
    settings.total_count = 32767;
    settings.total_blocked = -5;
    settings.block_anon_num = true;
    store.save_total_count();
    store.save_total_blocked();
    store.save_block_anon_num();

    Settings loaded;
    SettingsStore reader(registry, loaded, "C:\\Vantelmoor");
    reader.load_total_count();
    reader.load_total_blocked();
    reader.load_block_anon_num();
    EXPECT_EQ(loaded.total_count, 32767);
    EXPECT_EQ(loaded.total_blocked, -5);
    EXPECT_TRUE(loaded.block_anon_num);
    EXPECT_EQ(read_raw(kSettingsKey, "TotalBlocked").bytes, (std::vector<BYTE>{'-', '5', 0}));
    EXPECT_EQ(read_raw(kSettingsKey, "BlockAnonNum").bytes, (std::vector<BYTE>{'T', 'r', 'u', 'e', 0}));
}

TEST_F(SettingsRegistryTest, LengthLimitOfTheReceiveBufferHolds) {
    write_raw("CommCommand", REG_SZ, std::string(254, 'X') + '\0');
    store.load_comm_command();
    EXPECT_EQ(settings.comm_command, std::string(254, 'X'));

    write_raw("CommCommand", REG_SZ, std::string(255, 'Y') + '\0');
    store.load_comm_command();
    EXPECT_EQ(settings.comm_command, "AT+VCID=1");
    EXPECT_EQ(read_raw(kSettingsKey, "CommCommand").bytes.size(), 10u);
}

TEST_F(SettingsRegistryTest, AnsiBytesAboveAsciiAreStoredUnchanged) {
    settings.comm_command = "AT\xE9\xFC";
    store.save_comm_command();
    EXPECT_EQ(read_raw(kSettingsKey, "CommCommand").bytes, (std::vector<BYTE>{'A', 'T', 0xE9, 0xFC, 0}));
    Settings loaded;
    SettingsStore(registry, loaded, "C:\\").load_comm_command();
    EXPECT_EQ(loaded.comm_command, "AT\xE9\xFC");
}

TEST_F(SettingsRegistryTest, AutostartEntryFollowsTheStartupFlag) {
    store.load_startup_flag();  // missing: becomes true and is saved with its entry
    const RawValue entry = read_raw(kRunKey, "Vantelmoor");
    ASSERT_EQ(entry.result, ERROR_SUCCESS);
    const std::string path(entry.bytes.begin(), entry.bytes.end());
    EXPECT_EQ(path, std::string("C:\\Program Files\\Vantelmoor\\Vantelmoor.exe") + '\0');

    settings.startup_flag = false;
    store.save_startup_flag();
    EXPECT_EQ(read_raw(kRunKey, "Vantelmoor").result, ERROR_FILE_NOT_FOUND);
    store.save_startup_flag();
    EXPECT_EQ(read_raw(kSettingsKey, "Startup Flag").bytes, (std::vector<BYTE>{'F', 'a', 'l', 's', 'e', 0}));
}

}  // namespace
}  // namespace vantelmoor

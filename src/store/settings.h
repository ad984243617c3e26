#pragma once
// The program's settings and running totals, kept as REG_SZ text values under
// HKEY_LOCAL_MACHINE\SOFTWARE\Vantelmoor\Settings, and the autostart entry under the Run key.
// A failed load keeps or defaults the value; a failed save leaves the registry as it was and says
// why, for the caller to tell the user.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry.h"

namespace vantelmoor {

inline constexpr const char* kSettingsKey = "SOFTWARE\\Vantelmoor\\Settings";
inline constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kAutostartValue = "Vantelmoor";
inline constexpr const char* kDefaultCommCommand = "AT+VCID=1";
inline constexpr const char* kAlternateCommCommand = "AT#VCID=1";

// nullopt when the save happened; otherwise why not, in the system's words.
using RegistryFailure = std::optional<std::string>;

// Every field starts neutral (empty, 0, false) until its load has run.
struct Settings {
    std::string comm_command;
    std::int16_t total_count = 0;
    std::int16_t total_blocked = 0;
    bool startup_flag = false;
    bool block_anon_name = false;
    bool block_anon_num = false;
};

class SettingsStore {
public:
    // program_dir: the directory that holds the running executable, without a trailing backslash.
    SettingsStore(Registry& registry, Settings& settings, std::string program_dir);

    // A load whose value is missing saves its default; the result is that save's.
    [[nodiscard]] RegistryFailure load_comm_command();
    [[nodiscard]] RegistryFailure save_comm_command();
    void load_total_count();
    [[nodiscard]] RegistryFailure save_total_count();
    void load_total_blocked();
    [[nodiscard]] RegistryFailure save_total_blocked();
    [[nodiscard]] RegistryFailure load_startup_flag();
    [[nodiscard]] RegistryFailure save_startup_flag();
    [[nodiscard]] RegistryFailure load_block_anon_name();
    [[nodiscard]] RegistryFailure save_block_anon_name();
    [[nodiscard]] RegistryFailure load_block_anon_num();
    [[nodiscard]] RegistryFailure save_block_anon_num();
    [[nodiscard]] RegistryFailure add_autostart();
    [[nodiscard]] RegistryFailure remove_autostart();
    // The last add_autostart wrote the current user's Run key, the machine-wide one being refused.
    [[nodiscard]] bool autostart_per_user() const { return autostart_per_user_; }

private:
    enum class Loaded { Text, Missing };
    Loaded load_text(const char* value_name, std::string& text);
    RegistryFailure failure(long result) const;
    RegistryFailure save_text(const char* root_path, const char* value_name, const std::string& text,
                              RegistryRoot root = RegistryRoot::LocalMachine);
    RegistryFailure remove_run_value(RegistryRoot root);
    void load_counter(const char* value_name, std::int16_t& field);
    RegistryFailure load_flag(const char* value_name, bool& field, RegistryFailure (SettingsStore::*save)());

    Registry& registry_;
    Settings& settings_;
    std::string program_dir_;
    bool autostart_per_user_ = false;
};

}  // namespace vantelmoor

#pragma once
// The program's settings and running totals, kept as REG_SZ text values under
// HKEY_LOCAL_MACHINE\SOFTWARE\Vantelmoor\Settings, and the autostart entry.
//
// A value that is not there takes its default; a value Windows refuses to read is not "missing":
// it keeps its neutral value, is reported, and nothing is written over it from a default. The key
// is opened with only the right each operation needs (query, or set). Only setup writes the
// machine-wide Run value: an installed copy shows setup's choice and changes nothing machine-wide,
// and any other copy starts with Windows through the current user's Run value.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vantelmoor {

inline constexpr const char* kSettingsKey = "SOFTWARE\\Vantelmoor\\Settings";
inline constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kAutostartValue = "Vantelmoor";
inline constexpr const char* kDefaultCommCommand = "AT+VCID=1";
inline constexpr const char* kAlternateCommCommand = "AT#VCID=1";

// nullopt when the save happened; otherwise why not, in the system's words.
using RegistryFailure = std::optional<std::string>;
// What a load could not take as it is, each in a sentence for the activity log or a box.
using RegistryNotes = std::vector<std::string>;

// Every field starts neutral (empty, 0, false) until its load has run.
struct Settings {
    std::string comm_command;
    std::int16_t total_count = 0;
    std::int16_t total_blocked = 0;
    bool startup_flag = false;
    bool block_anon_name = false;
    bool block_anon_num = false;
    bool notify_calls = false;  // a balloon from the icon for each call
};

struct OptionsLoaded {
    RegistryNotes notes;
    bool defaulted = false;  // an option was not stored: its default is shown, not yet saved
};

class SettingsStore {
public:
    // program_dir: the directory that holds the running executable, without a trailing backslash.
    // installed: setup put this copy where it is, and its Run value is setup's.
    SettingsStore(Registry& registry, Settings& settings, std::string program_dir, bool installed);

    // At start-up: the totals, the caller-ID command and the options. Of the defaults only the
    // caller-ID command's is saved, and only when its value is not there at all.
    [[nodiscard]] RegistryNotes load_all();
    // The options, as the preferences window shows them. Writes nothing.
    [[nodiscard]] OptionsLoaded load_options();

    [[nodiscard]] RegistryFailure save_comm_command();
    [[nodiscard]] RegistryFailure save_total_count();
    [[nodiscard]] RegistryFailure save_total_blocked();
    // "Start with Windows" (with its Run value, for a copy that is not installed), "private" and
    // "unknown"; the first failure.
    [[nodiscard]] RegistryFailure save_options();
    // "Show a notification for each call", from the screening rules window.
    [[nodiscard]] RegistryFailure save_notify_calls();
    // An installed copy starts with Windows as setup chose, for every user: not changed here.
    [[nodiscard]] bool startup_is_machine_wide() const { return installed_; }

private:
    enum class Read { Text, Missing, Refused };
    Read read_text(RegistryRoot root, const char* key, const char* value_name, std::string& text);
    Read load_value(const char* value_name, std::string& text, RegistryNotes& notes);
    RegistryFailure failure(long result) const;
    RegistryFailure save_text(const char* value_name, const std::string& text);
    RegistryFailure save_run_value(bool present);
    void load_comm_command(RegistryNotes& notes);
    void load_counter(const char* value_name, std::int16_t& field, RegistryNotes& notes);
    // True when the flag was not stored and took its default.
    bool load_flag(const char* value_name, bool& field, RegistryNotes& notes);
    bool load_startup(RegistryNotes& notes);

    Registry& registry_;
    Settings& settings_;
    std::string program_dir_;
    bool installed_;
    std::set<std::string> unreadable_;  // values whose load was refused: never saved from memory
};

}  // namespace vantelmoor

#include "store/settings.h"

#include <charconv>
#include <optional>
#include <vector>

#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

constexpr std::uint32_t kReceiveBufferSize = 255;

std::optional<long> parse_integer(std::string_view text) {
    long value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc{} || end != last || first == last) return std::nullopt;
    return value;
}

std::optional<bool> parse_flag(std::string_view text) {
    if (equals_ignoring_case(text, "True")) return true;
    if (equals_ignoring_case(text, "False")) return false;
    if (const auto number = parse_integer(trim(text))) return *number != 0;
    return std::nullopt;
}

const char* flag_text(bool flag) { return flag ? "True" : "False"; }

// RAII for a key opened through the Registry interface.
class OpenKey {
public:
    explicit OpenKey(Registry& registry) : registry_(registry) {}
    ~OpenKey() {
        if (open_) registry_.close_key(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    bool open(const char* path) { return track(registry_.open_key(RegistryRoot::LocalMachine, path, kSettingsAccess, key_)); }
    bool create(const char* path) {
        return track(registry_.create_key(RegistryRoot::LocalMachine, path, kSettingsAccess, key_));
    }
    [[nodiscard]] RegistryKey key() const { return key_; }

private:
    bool track(long result) { return open_ = (result == kRegistryOk); }

    Registry& registry_;
    RegistryKey key_ = 0;
    bool open_ = false;
};

}  // namespace

SettingsStore::SettingsStore(Registry& registry, Settings& settings, std::string program_dir)
    : registry_(registry), settings_(settings), program_dir_(std::move(program_dir)) {}

SettingsStore::Loaded SettingsStore::load_text(const char* value_name, std::string& text) {
    OpenKey key(registry_);
    if (!key.open(kSettingsKey)) return Loaded::Missing;
    std::vector<std::uint8_t> buffer(kReceiveBufferSize);
    std::uint32_t size = kReceiveBufferSize;
    std::uint32_t type = 0;  // any type is read as text
    if (registry_.query_value(key.key(), value_name, type, buffer, size) != kRegistryOk) return Loaded::Missing;
    // The last byte counted is the terminating NUL.
    const std::size_t length = size == 0 ? 0 : std::min<std::size_t>(size - 1, buffer.size());
    text.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length));
    return Loaded::Text;
}

void SettingsStore::save_text(const char* root_path, const char* value_name, const std::string& text) {
    OpenKey key(registry_);
    if (!key.create(root_path)) return;
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    (void)registry_.set_value(key.key(), value_name, kRegSz, data);
}

void SettingsStore::load_counter(const char* value_name, std::int16_t& field) {
    std::string text;
    if (load_text(value_name, text) == Loaded::Missing) return;
    const auto value = parse_integer(trim(text));
    if (value && *value >= -32768 && *value <= 32767) field = static_cast<std::int16_t>(*value);
}

void SettingsStore::load_flag(const char* value_name, bool& field, void (SettingsStore::*save)()) {
    std::string text;
    if (load_text(value_name, text) == Loaded::Missing) {
        field = true;
        (this->*save)();
        return;
    }
    if (const auto flag = parse_flag(text)) field = *flag;
}

void SettingsStore::load_comm_command() {
    if (load_text("CommCommand", settings_.comm_command) == Loaded::Missing) {
        settings_.comm_command = kDefaultCommCommand;
        save_comm_command();
    }
}

void SettingsStore::save_comm_command() { save_text(kSettingsKey, "CommCommand", settings_.comm_command); }

void SettingsStore::load_total_count() { load_counter("TotalCount", settings_.total_count); }

void SettingsStore::save_total_count() {
    save_text(kSettingsKey, "TotalCount", std::to_string(settings_.total_count));
}

void SettingsStore::load_total_blocked() { load_counter("TotalBlocked", settings_.total_blocked); }

void SettingsStore::save_total_blocked() {
    save_text(kSettingsKey, "TotalBlocked", std::to_string(settings_.total_blocked));
}

void SettingsStore::load_startup_flag() {
    load_flag("Startup Flag", settings_.startup_flag, &SettingsStore::save_startup_flag);
}

void SettingsStore::save_startup_flag() {
    save_text(kSettingsKey, "Startup Flag", flag_text(settings_.startup_flag));
    if (settings_.startup_flag) {
        add_autostart();
    } else {
        remove_autostart();
    }
}

void SettingsStore::load_block_anon_name() {
    load_flag("BlockAnonName", settings_.block_anon_name, &SettingsStore::save_block_anon_name);
}

void SettingsStore::save_block_anon_name() {
    save_text(kSettingsKey, "BlockAnonName", flag_text(settings_.block_anon_name));
}

void SettingsStore::load_block_anon_num() {
    load_flag("BlockAnonNum", settings_.block_anon_num, &SettingsStore::save_block_anon_num);
}

void SettingsStore::save_block_anon_num() {
    save_text(kSettingsKey, "BlockAnonNum", flag_text(settings_.block_anon_num));
}

void SettingsStore::add_autostart() { save_text(kRunKey, kAutostartValue, program_dir_ + "\\Vantelmoor.exe"); }

void SettingsStore::remove_autostart() {
    OpenKey key(registry_);
    if (key.create(kRunKey)) (void)registry_.delete_value(key.key(), kAutostartValue);
}

}  // namespace vantelmoor

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

    long open(const char* path, RegistryRoot root = RegistryRoot::LocalMachine, std::uint32_t access = kSettingsAccess) {
        return track(registry_.open_key(root, path, access, key_));
    }
    long create(const char* path, RegistryRoot root = RegistryRoot::LocalMachine) {
        return track(registry_.create_key(root, path, kSettingsAccess, key_));
    }
    [[nodiscard]] RegistryKey key() const { return key_; }

private:
    long track(long result) {
        open_ = result == kRegistryOk;
        return result;
    }

    Registry& registry_;
    RegistryKey key_ = 0;
    bool open_ = false;
};

}  // namespace

SettingsStore::SettingsStore(Registry& registry, Settings& settings, std::string program_dir)
    : registry_(registry), settings_(settings), program_dir_(std::move(program_dir)) {}

SettingsStore::Loaded SettingsStore::load_text(const char* value_name, std::string& text) {
    OpenKey key(registry_);
    if (key.open(kSettingsKey) != kRegistryOk) return Loaded::Missing;
    std::vector<std::uint8_t> buffer(kReceiveBufferSize);
    std::uint32_t size = kReceiveBufferSize;
    std::uint32_t type = 0;  // any type is read as text
    if (registry_.query_value(key.key(), value_name, type, buffer, size) != kRegistryOk) return Loaded::Missing;
    // The last byte counted is the terminating NUL.
    const std::size_t length = size == 0 ? 0 : std::min<std::size_t>(size - 1, buffer.size());
    text.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length));
    return Loaded::Text;
}

RegistryFailure SettingsStore::failure(long result) const {
    if (result == kRegistryOk) return std::nullopt;
    return registry_.describe(result);
}

RegistryFailure SettingsStore::save_text(const char* root_path, const char* value_name, const std::string& text,
                                         RegistryRoot root) {
    OpenKey key(registry_);
    if (const long result = key.create(root_path, root); result != kRegistryOk) return failure(result);
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return failure(registry_.set_value(key.key(), value_name, kRegSz, data));
}

void SettingsStore::load_counter(const char* value_name, std::int16_t& field) {
    std::string text;
    if (load_text(value_name, text) == Loaded::Missing) return;
    const auto value = parse_integer(trim(text));
    if (value && *value >= -32768 && *value <= 32767) field = static_cast<std::int16_t>(*value);
}

RegistryFailure SettingsStore::load_flag(const char* value_name, bool& field,
                                         RegistryFailure (SettingsStore::*save)()) {
    std::string text;
    if (load_text(value_name, text) == Loaded::Missing) {
        field = true;
        return (this->*save)();
    }
    if (const auto flag = parse_flag(text)) field = *flag;
    return std::nullopt;
}

RegistryFailure SettingsStore::load_comm_command() {
    if (load_text("CommCommand", settings_.comm_command) == Loaded::Text) return std::nullopt;
    settings_.comm_command = kDefaultCommCommand;
    return save_comm_command();
}

RegistryFailure SettingsStore::save_comm_command() {
    return save_text(kSettingsKey, "CommCommand", settings_.comm_command);
}

void SettingsStore::load_total_count() { load_counter("TotalCount", settings_.total_count); }

RegistryFailure SettingsStore::save_total_count() {
    return save_text(kSettingsKey, "TotalCount", std::to_string(settings_.total_count));
}

void SettingsStore::load_total_blocked() { load_counter("TotalBlocked", settings_.total_blocked); }

RegistryFailure SettingsStore::save_total_blocked() {
    return save_text(kSettingsKey, "TotalBlocked", std::to_string(settings_.total_blocked));
}

RegistryFailure SettingsStore::load_startup_flag() {
    return load_flag("Startup Flag", settings_.startup_flag, &SettingsStore::save_startup_flag);
}

RegistryFailure SettingsStore::save_startup_flag() {
    const RegistryFailure flag = save_text(kSettingsKey, "Startup Flag", flag_text(settings_.startup_flag));
    const RegistryFailure entry = settings_.startup_flag ? add_autostart() : remove_autostart();
    return flag ? flag : entry;
}

RegistryFailure SettingsStore::load_block_anon_name() {
    return load_flag("BlockAnonName", settings_.block_anon_name, &SettingsStore::save_block_anon_name);
}

RegistryFailure SettingsStore::save_block_anon_name() {
    return save_text(kSettingsKey, "BlockAnonName", flag_text(settings_.block_anon_name));
}

RegistryFailure SettingsStore::load_block_anon_num() {
    return load_flag("BlockAnonNum", settings_.block_anon_num, &SettingsStore::save_block_anon_num);
}

RegistryFailure SettingsStore::save_block_anon_num() {
    return save_text(kSettingsKey, "BlockAnonNum", flag_text(settings_.block_anon_num));
}

// The path in quotes: unquoted, a path with spaces ("C:\Program Files\...") would run a planted
// "C:\Program.exe". Where Windows refuses the machine-wide Run key (a standard account), the
// entry goes under the user's own; only one of the two is kept, or the program would start twice.
RegistryFailure SettingsStore::add_autostart() {
    const std::string command = "\"" + program_dir_ + "\\Vantelmoor.exe\"";
    if (!save_text(kRunKey, kAutostartValue, command, RegistryRoot::LocalMachine)) {
        autostart_per_user_ = false;
        return remove_run_value(RegistryRoot::CurrentUser);
    }
    autostart_per_user_ = true;
    return save_text(kRunKey, kAutostartValue, command, RegistryRoot::CurrentUser);
}

RegistryFailure SettingsStore::remove_autostart() {
    const RegistryFailure machine = remove_run_value(RegistryRoot::LocalMachine);
    const RegistryFailure user = remove_run_value(RegistryRoot::CurrentUser);
    return machine ? machine : user;
}

// An entry that is not there is removed already; one that cannot be removed is a failure.
RegistryFailure SettingsStore::remove_run_value(RegistryRoot root) {
    {
        OpenKey reader(registry_);
        if (reader.open(kRunKey, root, kQueryValue) != kRegistryOk) return std::nullopt;
        std::vector<std::uint8_t> data(kReceiveBufferSize);
        std::uint32_t size = kReceiveBufferSize;
        std::uint32_t type = 0;
        if (registry_.query_value(reader.key(), kAutostartValue, type, data, size) == kRegistryNotFound) return std::nullopt;
    }
    OpenKey key(registry_);
    if (const long result = key.open(kRunKey, root); result != kRegistryOk) return failure(result);
    const long result = registry_.delete_value(key.key(), kAutostartValue);
    return result == kRegistryNotFound ? std::nullopt : failure(result);
}

}  // namespace vantelmoor

#include "store/settings.h"

#include <charconv>
#include <optional>
#include <vector>

#include "store/caller_id_command.h"
#include "store/fixed_text.h"

namespace vantelmoor {
namespace {

constexpr std::uint32_t kReceiveBufferSize = 255;
constexpr std::uint32_t kLongestValue = 4096;

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

// A command as the activity log may show it: control characters escaped, and not too long.
std::string printable(std::string_view text) {
    std::string shown;
    for (const char c : text.substr(0, 60)) {
        if (c == '\r') {
            shown += "\\r";
        } else if (static_cast<unsigned char>(c) < 32) {
            shown += '?';
        } else {
            shown += c;
        }
    }
    return text.size() > 60 ? shown + "..." : shown;
}

// A key opened through the Registry interface, closed with its owner.
class OpenKey {
public:
    explicit OpenKey(Registry& registry) : registry_(registry) {}
    ~OpenKey() {
        if (open_) registry_.close_key(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    long open(RegistryRoot root, const char* path, std::uint32_t access) {
        return track(registry_.open_key(root, path, access, key_));
    }
    long create(RegistryRoot root, const char* path, std::uint32_t access) {
        return track(registry_.create_key(root, path, access, key_));
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

SettingsStore::SettingsStore(Registry& registry, Settings& settings, std::string program_dir, bool installed)
    : registry_(registry), settings_(settings), program_dir_(std::move(program_dir)), installed_(installed) {}

// A value too long for the buffer is taken as not there, as it always has been.
SettingsStore::Read SettingsStore::read_text(RegistryRoot root, const char* key_path, const char* value_name,
                                             std::string& text) {
    OpenKey key(registry_);
    long result = key.open(root, key_path, kQueryValue);
    std::vector<std::uint8_t> buffer(kReceiveBufferSize);
    std::uint32_t size = kReceiveBufferSize;
    std::uint32_t type = 0;  // any type is read as text
    if (result == kRegistryOk) result = registry_.query_value(key.key(), value_name, type, buffer, size);
    // A value longer than any setting is still there: read whole, it is judged as any odd value,
    // never taken for a missing one and written over.
    if (result == kRegistryMoreData && size <= kLongestValue) {
        buffer.resize(size);
        result = registry_.query_value(key.key(), value_name, type, buffer, size);
    }
    if (result == kRegistryNotFound) return Read::Missing;
    if (result == kRegistryMoreData) {
        text = "it is longer than any setting";
        return Read::Refused;
    }
    if (result != kRegistryOk) {
        text = registry_.describe(result);
        return Read::Refused;
    }
    // The last byte counted is the terminating NUL.
    const std::size_t length = size == 0 ? 0 : std::min<std::size_t>(size - 1, buffer.size());
    text.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length));
    return Read::Text;
}

SettingsStore::Read SettingsStore::load_value(const char* value_name, std::string& text, RegistryNotes& notes) {
    const Read read = read_text(RegistryRoot::LocalMachine, kSettingsKey, value_name, text);
    if (read != Read::Refused) unreadable_.erase(value_name);
    if (read == Read::Refused) {
        unreadable_.insert(value_name);
        notes.push_back(std::string("The setting ") + value_name + " could not be read from the registry (" + text +
                        "); it is not changed this time.");
    }
    return read;
}

RegistryFailure SettingsStore::failure(long result) const {
    if (result == kRegistryOk) return std::nullopt;
    return registry_.describe(result);
}

// A value whose stored text could not be read is not written over from memory.
RegistryFailure SettingsStore::save_text(const char* value_name, const std::string& text) {
    if (unreadable_.contains(value_name))
        return std::string(value_name) + " could not be read, so it is not written over";
    OpenKey key(registry_);
    if (const long result = key.create(RegistryRoot::LocalMachine, kSettingsKey, kSetValue); result != kRegistryOk) {
        return failure(result);
    }
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return failure(registry_.set_value(key.key(), value_name, kRegSz, data));
}

RegistryNotes SettingsStore::load_all() {
    RegistryNotes notes;
    load_counter("TotalCount", settings_.total_count, notes);
    load_counter("TotalBlocked", settings_.total_blocked, notes);
    load_comm_command(notes);
    RegistryNotes options = load_options().notes;
    notes.insert(notes.end(), options.begin(), options.end());
    return notes;
}

OptionsLoaded SettingsStore::load_options() {
    OptionsLoaded loaded;
    loaded.defaulted = load_startup(loaded.notes);
    loaded.defaulted |= load_flag("BlockAnonNum", settings_.block_anon_num, loaded.notes);
    loaded.defaulted |= load_flag("BlockAnonName", settings_.block_anon_name, loaded.notes);
    // Off unless chosen: a missing value is no unsaved default.
    std::string text;
    if (load_value("NotifyCalls", text, loaded.notes) == Read::Text) {
        if (const auto flag = parse_flag(text)) settings_.notify_calls = *flag;
    }
    return loaded;
}

void SettingsStore::load_comm_command(RegistryNotes& notes) {
    std::string text;
    switch (load_value("CommCommand", text, notes)) {
        case Read::Text:
            if (const auto fault = caller_id_command_fault(text)) {
                const std::string shown = text.size() > 60 ? text.substr(0, 60) + "..." : text;
                notes.push_back("The caller-ID command in the registry (\"" + printable(shown) +
                                "\") is not used: " + *fault + ". " + kDefaultCommCommand + " is sent instead.");
                settings_.comm_command = kDefaultCommCommand;
            } else {
                settings_.comm_command = text;
            }
            return;
        case Read::Missing:
            settings_.comm_command = kDefaultCommCommand;
            if (const RegistryFailure saved = save_comm_command()) {
                notes.push_back("The caller-ID command could not be saved in the registry (" + *saved + ").");
            }
            return;
        case Read::Refused: settings_.comm_command = kDefaultCommCommand; return;
    }
}

void SettingsStore::load_counter(const char* value_name, std::int16_t& field, RegistryNotes& notes) {
    std::string text;
    if (load_value(value_name, text, notes) != Read::Text) return;
    const auto value = parse_integer(trim(text));
    if (value && *value >= -32768 && *value <= 32767) field = static_cast<std::int16_t>(*value);
}

bool SettingsStore::load_flag(const char* value_name, bool& field, RegistryNotes& notes) {
    std::string text;
    switch (load_value(value_name, text, notes)) {
        case Read::Text:
            if (const auto flag = parse_flag(text)) field = *flag;
            return false;
        case Read::Missing: field = true; return true;
        case Read::Refused: return false;
    }
    return false;
}

// An installed copy shows whether setup made it start with Windows.
bool SettingsStore::load_startup(RegistryNotes& notes) {
    if (!installed_) return load_flag("Startup Flag", settings_.startup_flag, notes);
    std::string text;
    const Read read = read_text(RegistryRoot::LocalMachine, kRunKey, kAutostartValue, text);
    if (read == Read::Refused)
        notes.push_back("Whether Vantelmoor starts with Windows could not be read (" + text + ").");
    settings_.startup_flag = read == Read::Text;
    return false;
}

RegistryFailure SettingsStore::save_comm_command() { return save_text("CommCommand", settings_.comm_command); }

RegistryFailure SettingsStore::save_total_count() {
    return save_text("TotalCount", std::to_string(settings_.total_count));
}

RegistryFailure SettingsStore::save_total_blocked() {
    return save_text("TotalBlocked", std::to_string(settings_.total_blocked));
}

RegistryFailure SettingsStore::save_options() {
    RegistryFailure first;
    const auto keep = [&](RegistryFailure failure) {
        if (!first) first = std::move(failure);
    };
    if (!installed_) {
        keep(save_text("Startup Flag", flag_text(settings_.startup_flag)));
        keep(save_run_value(settings_.startup_flag));
    }
    keep(save_text("BlockAnonNum", flag_text(settings_.block_anon_num)));
    keep(save_text("BlockAnonName", flag_text(settings_.block_anon_name)));
    return first;
}

RegistryFailure SettingsStore::save_notify_calls() {
    return save_text("NotifyCalls", flag_text(settings_.notify_calls));
}

// The current user's Run value, the path in quotes: unquoted, a path with spaces
// ("C:\Program Files\...") would run a planted "C:\Program.exe". An entry that is not there is
// removed already.
RegistryFailure SettingsStore::save_run_value(bool present) {
    OpenKey key(registry_);
    if (present) {
        if (const long result = key.create(RegistryRoot::CurrentUser, kRunKey, kSetValue); result != kRegistryOk) {
            return failure(result);
        }
        const std::string command = "\"" + program_dir_ + "\\Vantelmoor.exe\"";
        std::vector<std::uint8_t> data(command.begin(), command.end());
        data.push_back(0);
        return failure(registry_.set_value(key.key(), kAutostartValue, kRegSz, data));
    }
    const long opened = key.open(RegistryRoot::CurrentUser, kRunKey, kSetValue);
    if (opened == kRegistryNotFound) return std::nullopt;
    if (opened != kRegistryOk) return failure(opened);
    const long result = registry_.delete_value(key.key(), kAutostartValue);
    return result == kRegistryNotFound ? std::nullopt : failure(result);
}

}  // namespace vantelmoor

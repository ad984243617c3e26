#pragma once
// An in-memory registry with the result codes of the real one, including a user who may read the
// settings but not write them.

#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vantelmoor::test {

struct StoredValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

class FakeRegistry : public Registry {
public:
    // key path -> value name -> value; keys of HKEY_CURRENT_USER have their path after "HKCU\\"
    std::map<std::string, std::map<std::string, StoredValue>> keys;
    bool read_only = false;            // any access mask with write rights is refused
    std::set<std::string> unreadable;  // keys (as named in `keys`) this user may not open at all
    std::vector<std::string> writes;   // value names set or deleted, in order

    void put_text(const std::string& path, const std::string& name, const std::string& text) {
        keys[path][name] = {kRegSz, std::vector<std::uint8_t>(text.c_str(), text.c_str() + text.size() + 1)};
    }
    // The stored text without its terminating NUL; "<absent>" when there is none.
    std::string text(const std::string& path, const std::string& name) const {
        const auto key = keys.find(path);
        if (key == keys.end() || !key->second.contains(name)) return "<absent>";
        const auto& data = key->second.at(name).data;
        return std::string(data.begin(), data.end() - (data.empty() || data.back() != 0 ? 0 : 1));
    }

    static std::string named(RegistryRoot root, const std::string& path) {
        return root == RegistryRoot::CurrentUser ? "HKCU\\" + path : path;
    }

    long open_key(RegistryRoot root, const std::string& path, std::uint32_t access, RegistryKey& key) override {
        if (unreadable.contains(named(root, path))) return kRegistryAccessDenied;
        if (read_only && (access & kWriteRights)) return kRegistryAccessDenied;
        if (!keys.contains(named(root, path))) return kRegistryNotFound;
        return hand_out(named(root, path), key);
    }
    long query_value(RegistryKey key, const std::string& name, std::uint32_t& type, std::vector<std::uint8_t>& data,
                     std::uint32_t& size) override {
        const auto& values = keys[path_of(key)];
        const auto value = values.find(name);
        if (value == values.end()) return kRegistryNotFound;
        type = value->second.type;
        const std::vector<std::uint8_t>& stored = value->second.data;
        const bool fits = stored.size() <= size;
        size = static_cast<std::uint32_t>(stored.size());
        if (!fits) return kRegistryMoreData;
        // The real registry trusts the size given: a buffer smaller than that would be overrun.
        if (stored.size() > data.size()) throw std::length_error("query_value: the buffer is smaller than its size");
        std::copy(stored.begin(), stored.end(), data.begin());
        return kRegistryOk;
    }
    // Creating makes the key where this user may, and then opens it.
    long create_key(RegistryRoot root, const std::string& path, std::uint32_t access, RegistryKey& key) override {
        if (!unreadable.contains(named(root, path)) && !(read_only && (access & kWriteRights))) keys[named(root, path)];
        return open_key(root, path, access, key);
    }
    long set_value(RegistryKey key, const std::string& name, std::uint32_t type,
                   const std::vector<std::uint8_t>& data) override {
        keys[path_of(key)][name] = {type, data};
        writes.push_back(name);
        return kRegistryOk;
    }
    long delete_value(RegistryKey key, const std::string& name) override {
        writes.push_back("-" + name);
        return keys[path_of(key)].erase(name) ? kRegistryOk : kRegistryNotFound;
    }
    long close_key(RegistryKey key) override {
        handles_.erase(key);
        return kRegistryOk;
    }
    std::string describe(long result) const override { return "registry error " + std::to_string(result); }

private:
    static constexpr std::uint32_t kWriteRights = 0x2 | 0x4 | 0x20;  // set value, create subkey, link

    long hand_out(const std::string& path, RegistryKey& key) {
        key = next_handle_++;
        handles_[key] = path;
        return kRegistryOk;
    }
    const std::string& path_of(RegistryKey key) const { return handles_.at(key); }

    std::map<RegistryKey, std::string> handles_;
    RegistryKey next_handle_ = 0x100;
};

}  // namespace vantelmoor::test

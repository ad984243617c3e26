#pragma once
// Record files in memory: path -> bytes, with files that cannot be read (as when another program
// holds them) and rewrites that fail the way the real store's do (the old bytes stay); and the
// Latin-1 code page, as the records' bytes are on most machines here.

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_store.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace vantelmoor::test {

class FakeFileStore : public FileStore {
public:
    static constexpr const char* kHeld =
        "The process cannot access the file because it is being used by another process.";

    std::map<std::string, std::string> files;
    std::set<std::string> unreadable;  // reads (and so rewrites) of these fail
    bool fail_replace = false;
    int replaces = 0;  // attempts, failed ones included

    FileRead read_all(const std::string& path, std::size_t largest) override {
        if (unreadable.contains(path)) return {std::nullopt, kHeld};
        if (files[path].size() > largest) return {std::nullopt, "it is larger than the program ever writes"};
        return {files[path], {}};  // a missing file is created empty
    }
    FileFailure replace(const std::string& path, std::string_view bytes) override {
        ++replaces;
        if (fail_replace) return "There is not enough space on the disk.";
        if (unreadable.contains(path)) return kHeld;
        files[path] = std::string(bytes);
        return std::nullopt;
    }
    void remove_leftovers(const std::string&) override {}
};

// The few other files: which exist, and a directory where nothing can be created.
class FakeFileSystem : public FileSystem {
public:
    std::set<std::string> existing;
    std::set<std::string> directories;
    bool read_only = false;  // nothing can be created in the program's directory
    std::vector<std::string>* journal = nullptr;

    bool file_exists(const std::string& path) const override { return existing.contains(path); }
    std::optional<std::string> create_if_absent(const std::string& path) override {
        if (existing.contains(path)) return std::nullopt;
        if (read_only && !path.starts_with("C:\\ProgramData")) return "Access is denied.";
        existing.insert(path);
        if (journal) journal->push_back("created " + path);
        return std::nullopt;
    }
    bool can_create_files_in(const std::string&) override { return !read_only; }
    std::optional<std::string> create_directory(const std::string& directory) override {
        directories.insert(directory);
        return std::nullopt;
    }
};

class Latin1 final : public TextCodec {
public:
    std::string to_ansi(std::string_view utf8, std::size_t& replaced) const override {
        std::string ansi;
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const auto c = static_cast<unsigned char>(utf8[i]);
            if (c < 0x80) {
                ansi += static_cast<char>(c);
            } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
                ansi += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
            } else {
                ansi += '?';
                ++replaced;
                while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) ++i;
            }
        }
        return ansi;
    }
    std::string to_utf8(std::string_view ansi) const override {
        std::string utf8;
        for (const char ch : ansi) {
            const auto c = static_cast<unsigned char>(ch);
            if (c >= 0x80) utf8 += static_cast<char>(0xC0 | (c >> 6));  // beyond ASCII: two bytes
            utf8 += static_cast<char>(c < 0x80 ? c : 0x80 | (c & 0x3F));
        }
        return utf8;
    }
};

}  // namespace vantelmoor::test

#pragma once
// A directory of a test's own under the temporary directory, emptied and removed afterwards, and
// what it holds: a file store must leave nothing behind but its target.

#include <windows.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace vantelmoor::test {

class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& name) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + name;
        clear();
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchDirectory() { clear(); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] std::string file(const std::string& name) const { return path_ + "\\" + name; }

    [[nodiscard]] std::set<std::string> names() const {
        std::set<std::string> found;
        WIN32_FIND_DATAA entry{};
        const HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) return found;
        do {
            const std::string name = entry.cFileName;
            if (name != "." && name != "..") found.insert(name);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
        return found;
    }

    static std::string contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }

private:
    // Files only, one level: what the tests make.
    void clear() const {
        for (const std::string& name : names()) {
            const std::string entry = file(name);
            SetFileAttributesA(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(entry.c_str())) RemoveDirectoryA(entry.c_str());
        }
        RemoveDirectoryA(path_.c_str());
    }

    std::string path_;
};

}  // namespace vantelmoor::test

#pragma once
// A test's own directory under the temporary directory, emptied and removed afterwards.

#include <windows.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace vantelmoor::test {

inline std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// What a directory holds: a file store must leave nothing behind but its target.
inline std::set<std::string> names(const std::string& directory) {
    std::set<std::string> found;
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &entry);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry))
        if (entry.cFileName[0] != '.') found.insert(entry.cFileName);  // not "." nor ".."
    FindClose(search);
    return found;
}

class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& name) {
        char temp[MAX_PATH];
        path_ = std::string(temp, GetTempPathA(MAX_PATH, temp)) + name;
        clear();
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchDirectory() { clear(); }

    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    void clear() const {  // the files and empty folders the tests make
        for (const std::string& name : names(path_)) {
            SetFileAttributesA(file(name).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(file(name).c_str())) RemoveDirectoryA(file(name).c_str());
        }
        RemoveDirectoryA(path_.c_str());
    }

    std::string path_;
};

}  // namespace vantelmoor::test

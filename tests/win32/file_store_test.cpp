// The real file system: the file store's missing files, exact bytes, files held by another program
// and rewrites that cannot happen (the old file stays, no temporary file is left); what counts as
// an existing file; a marker made without touching an existing one; the executable's facts.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string>

#include "platform/win32/file_store_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/services_win32.h"
#include "scratch_directory.h"

namespace vantelmoor {
namespace {

using test::ScratchDirectory;

// Every byte value, 0x00 and 0x80 to 0xFF included, over several read chunks.
std::string all_byte_values(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 256) % 256);
    return bytes;
}

class FileStoreTest : public ::testing::Test {
protected:
    ScratchDirectory dir{"vantelmoor-file-store-test"};
    const std::string target = dir.file("Vantelmoor.dat");
    win32::Win32FileStore store;
    win32::Win32FileSystem file_system;

    std::string make(const char* name, DWORD attributes) {
        const std::string path = dir.path() + name;
        ScratchDirectory::put(path, "x");
        SetFileAttributesA(path.c_str(), attributes);
        return path;
    }

    // Held open as a backup program or a virus scanner holds a file: without sharing.
    win32::FileHandle hold(const std::string& path, DWORD share) const {
        return win32::FileHandle(
            CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
};

constexpr std::size_t kLargest = 300'000;

TEST_F(FileStoreTest, ReadingGivesEveryByteAndAMissingFileIsCreatedEmpty) {
    EXPECT_EQ(store.read_all(target, kLargest).bytes, std::optional<std::string>(""));
    EXPECT_EQ(dir.names(), std::set<std::string>{"Vantelmoor.dat"});
    const std::string bytes = all_byte_values(200'003);
    ScratchDirectory::put(target, bytes);
    EXPECT_EQ(store.read_all(target, kLargest).bytes, bytes);
    const FileRead absent = store.read_all(dir.file("no such dir\\Vantelmoor.dat"), kLargest);
    EXPECT_EQ(absent.bytes, std::nullopt);
    EXPECT_FALSE(absent.failure.empty());
}

// Any user may write the shared folder: a file larger than the program writes, or one with a
// second name (linked to a file elsewhere), is not read.
TEST_F(FileStoreTest, AFileTooLargeOrWithASecondNameIsNotRead) {
    ScratchDirectory::put(target, std::string(kLargest, 'x'));
    EXPECT_TRUE(store.read_all(target, kLargest).bytes);
    ScratchDirectory::put(target, std::string(kLargest + 1, 'x'));
    EXPECT_EQ(store.read_all(target, kLargest).bytes, std::nullopt);
    const std::string elsewhere = dir.file("elsewhere");
    ScratchDirectory::put(elsewhere, "secret");
    ASSERT_TRUE(CreateHardLinkA(dir.file("Vantelmoor.log").c_str(), elsewhere.c_str(), nullptr));
    const FileRead linked = store.read_all(dir.file("Vantelmoor.log"), kLargest);
    EXPECT_EQ(linked.bytes, std::nullopt);
    EXPECT_EQ(linked.failure, "it has a second name (a hard link)");
}

TEST_F(FileStoreTest, AFileHeldWithoutSharingCannotBeReadAndSaysWhy) {
    ScratchDirectory::put(target, "records");
    {
        const win32::FileHandle holder = hold(target, 0);
        ASSERT_TRUE(holder.valid());
        const FileRead read = store.read_all(target, kLargest);
        EXPECT_EQ(read.bytes, std::nullopt);
        EXPECT_FALSE(read.failure.empty());
        EXPECT_TRUE(store.replace(target, "new"));
    }
    EXPECT_EQ(ScratchDirectory::contents(target), "records");
}

TEST_F(FileStoreTest, ReplacingWritesExactlyTheBytesAndLeavesOnlyTheTarget) {
    ScratchDirectory::put(target, std::string(300'000, 'x'));  // longer than the new contents
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);  // Windows refuses those
    const std::string bytes = all_byte_values(3 * 65'536 + 5);
    ASSERT_FALSE(store.replace(target, bytes));
    EXPECT_EQ(ScratchDirectory::contents(target), bytes);
    const std::string fresh = dir.file("Vantelmoor.log");
    ASSERT_FALSE(store.replace(fresh, ""));
    EXPECT_EQ(ScratchDirectory::contents(fresh), "");
    EXPECT_EQ(dir.names(), (std::set<std::string>{"Vantelmoor.dat", "Vantelmoor.log"}));
}

TEST_F(FileStoreTest, AReplaceThatCannotHappenLeavesTheOldFileAndNoTemporaryFile) {
    EXPECT_TRUE(store.replace(dir.file("absent\\Vantelmoor.dat"), "bytes"));
    ScratchDirectory::put(dir.file("plain"), "kept");  // a directory path that names a file
    EXPECT_TRUE(store.replace(dir.file("plain\\Vantelmoor.dat"), "bytes"));
    // Another program holding the file open, even sharing reads and writes: the rename over it is
    // refused, on Windows and under Wine alike, after the new bytes were written.
    ScratchDirectory::put(target, "old contents");
    {
        const win32::FileHandle holder = hold(target, FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(holder.valid());
        const FileFailure failure = store.replace(target, std::string(100'000, 'n'));
        ASSERT_TRUE(failure);
        EXPECT_FALSE(failure->empty());
    }
    EXPECT_EQ(ScratchDirectory::contents(target), "old contents");
    EXPECT_EQ(ScratchDirectory::contents(dir.file("plain")), "kept");
    EXPECT_EQ(dir.names(), (std::set<std::string>{"Vantelmoor.dat", "plain"}));
}

// A save's temporary name cannot be guessed or taken by another user; a leftover is a file of that
// pattern and nothing else (GetTempFileName's "vtm*.tmp", which another user could fill, is not).
TEST_F(FileStoreTest, LeftoversAreFilesOfTheTemporaryPatternAndNothingElse) {
    const std::string name = win32::temporary_file_name();
    EXPECT_TRUE(win32::is_temporary_file_name(name)) << name;
    EXPECT_NE(name, win32::temporary_file_name());
    const std::string kept[] = {"Vantelmoor-0123456789abcdef0123456789abcde.tmp",
                                "Vantelmoor-0123456789abcdef0123456789abcdefg.tmp",
                                "Vantelmoor-0123456789abcdef0123456789abcdeg.tmp",
                                "vtm1.tmp",
                                "notes.tmp",
                                "Vantelmoor.dat"};
    for (const std::string& file : kept) ScratchDirectory::put(dir.file(file), "x");
    ScratchDirectory::put(dir.file(name), "x");
    ASSERT_TRUE(CreateDirectoryA(dir.file(win32::temporary_file_name()).c_str(), nullptr));
    store.remove_leftovers(dir.path());
    std::set<std::string> left = dir.names();
    EXPECT_EQ(left.size(), std::size(kept) + 1);  // the folder of that name stays too
    EXPECT_FALSE(left.contains(name));
    RemoveDirectoryA(dir.file(*std::ranges::find_if(left, win32::is_temporary_file_name)).c_str());
}

// A full disk: `test-all`, run as root, mounts a 128 KiB file system and names it here. The new
// bytes do not fit, so the write of the temporary file fails part-way.
TEST(FileStoreFullDiskTest, RewriteThatDoesNotFitLeavesTheOldFileAndNoTemporaryFile) {
    const char* full_disk = std::getenv("VANTELMOOR_FULL_DISK");
    if (full_disk == nullptr) GTEST_SKIP() << "no small file system mounted (test-all mounts one when run as root)";
    const std::string target = std::string(full_disk) + "\\Vantelmoor.log";
    win32::Win32FileStore store;
    ASSERT_FALSE(store.replace(target, "old contents"));

    EXPECT_TRUE(store.replace(target, std::string(1 << 20, 'n')));
    EXPECT_EQ(ScratchDirectory::contents(target), "old contents");
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((std::string(full_disk) + "\\Vantelmoor-*").c_str(), &entry);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "left behind: " << entry.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    DeleteFileA(target.c_str());
}

// Any user could make the marker hidden: that must not end every copy.
TEST_F(FileStoreTest, AFileCountsWhateverItsAttributesAndAFolderNever) {
    EXPECT_TRUE(file_system.file_exists(make("\\plain", FILE_ATTRIBUTE_NORMAL)));
    EXPECT_TRUE(file_system.file_exists(make("\\hidden", FILE_ATTRIBUTE_HIDDEN)));
    EXPECT_TRUE(file_system.file_exists(make("\\system", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY)));
    CreateDirectoryA((dir.path() + "\\sub").c_str(), nullptr);
    EXPECT_FALSE(file_system.file_exists(dir.path() + "\\sub"));
    EXPECT_FALSE(file_system.file_exists(dir.path() + "\\absent"));
}

TEST_F(FileStoreTest, CreatingAMarkerMakesAnEmptyFileAndKeepsAnExistingOne) {
    const std::string marker = dir.file("marker");
    EXPECT_EQ(file_system.create_if_absent(marker), std::nullopt);
    EXPECT_EQ(ScratchDirectory::contents(marker), "");
    ScratchDirectory::put(marker, "kept");
    EXPECT_EQ(file_system.create_if_absent(marker), std::nullopt);
    EXPECT_EQ(ScratchDirectory::contents(marker), "kept");
    const auto failure = file_system.create_if_absent(dir.path() + "\\no such dir\\marker");
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->empty());
}

TEST_F(FileStoreTest, FilesCanBeMadeOnlyWhereTheUserMayAndAFolderIsMadeOnce) {
    EXPECT_TRUE(file_system.can_create_files_in(dir.path()));
    EXPECT_FALSE(file_system.can_create_files_in(dir.path() + "\\absent"));
    EXPECT_EQ(file_system.create_directory(dir.path() + "\\sub"), std::nullopt);
    EXPECT_EQ(file_system.create_directory(dir.path() + "\\sub"), std::nullopt);  // there already: fine
    EXPECT_TRUE(file_system.create_directory(dir.path() + "\\absent\\sub"));
    EXPECT_EQ(dir.names(), std::set<std::string>{"sub"});  // the question leaves nothing behind
}

TEST(InstallFactsTest, TheExecutablesFolderAndFinalPathAndTheMachinesFolders) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const InstallFacts facts = win32::install_facts();
    EXPECT_EQ(std::string(path).rfind(facts.program_dir + "\\", 0), 0u);
    EXPECT_EQ(std::string(path).find('\\', facts.program_dir.size() + 1), std::string::npos);
    EXPECT_TRUE(facts.executable.ends_with("\\win32-tests.exe")) << facts.executable;
    EXPECT_EQ(facts.install_location, "");  // no setup ran in this prefix
    EXPECT_EQ(facts.program_files, "C:\\Program Files");
    EXPECT_EQ(facts.common_data, "C:\\ProgramData");
}

}  // namespace
}  // namespace vantelmoor

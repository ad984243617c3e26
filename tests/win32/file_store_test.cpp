// The real file system: the file store's reads and rewrites, files held or too large, markers, folders, install facts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "platform/win32/file_store_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/services_win32.h"
#include "scratch_directory.h"

namespace vantelmoor {
namespace {

constexpr std::size_t kLargest = 300'000;

class FileStoreTest : public ::testing::Test {
protected:
    test::ScratchDirectory dir{"vantelmoor-file-store-test"};
    const std::string target = dir.file("Vantelmoor.dat");
    win32::Win32FileStore store;
};

// Any user may write the shared folder: a file larger than the program writes, or with a second name, is not read.
TEST_F(FileStoreTest, EveryByteIsWrittenOverAnyFileAndReadAMissingFileIsEmptyAndOneTooLargeOrWithASecondNameUnread) {
    EXPECT_EQ(store.read_all(target, kLargest).bytes, std::optional<std::string>(""));
    EXPECT_EQ(test::names(dir.path()), std::set<std::string>{"Vantelmoor.dat"});
    test::put(target, std::string(kLargest + 1, 'x'));  // longer than the new contents
    EXPECT_EQ(store.read_all(target, kLargest).bytes, std::nullopt);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);  // Windows refuses those
    std::string bytes(kLargest, '\0');  // every byte value, 0x00 and 0x80 to 0xFF included, over several read chunks
    for (std::size_t i = 0; i < kLargest; ++i) bytes[i] = static_cast<char>((i * 7 + i / 256) % 256);
    ASSERT_FALSE(store.replace(target, bytes));
    EXPECT_EQ(test::contents(target), bytes);
    EXPECT_EQ(store.read_all(target, kLargest).bytes, bytes);
    ASSERT_FALSE(store.replace(dir.file("Vantelmoor.log"), ""));
    EXPECT_EQ(test::names(dir.path()), (std::set<std::string>{"Vantelmoor.dat", "Vantelmoor.log"}));
    ASSERT_TRUE(CreateHardLinkA(dir.file("elsewhere").c_str(), target.c_str(), nullptr));
    EXPECT_EQ(store.read_all(target, kLargest).bytes, std::nullopt);
}

// Held unshared, a file is neither read (the reason given) nor replaced; held sharing both, the rename fails.
TEST_F(FileStoreTest, AHeldFileIsNotReadAndAReplaceThatCannotHappenLeavesTheOldFileAndNoTemporaryFile) {
    const auto hold = [&](DWORD share) {  // as a backup program or a virus scanner holds a file
        return win32::FileHandle(CreateFileA(target.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr));
    };
    test::put(target, "old contents");
    win32::FileHandle holder = hold(0);
    const FileRead read = store.read_all(target, kLargest);
    EXPECT_EQ(read.bytes, std::nullopt);
    EXPECT_FALSE(read.failure.empty());
    EXPECT_TRUE(store.replace(target, "new"));
    holder.reset();  // before another holder opens it
    holder = hold(FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_NE(store.replace(target, std::string(100'000, 'n')).value_or(""), "");
    test::put(dir.file("plain"), "kept");  // a directory path that names a file: no temporary file is made
    EXPECT_TRUE(store.replace(dir.file("plain\\Vantelmoor.dat"), "bytes"));
    EXPECT_EQ(test::contents(target), "old contents");
    EXPECT_EQ(test::contents(dir.file("plain")), "kept");
    EXPECT_EQ(test::names(dir.path()), (std::set<std::string>{"Vantelmoor.dat", "plain"}));
}

// A save's temporary name cannot be guessed or taken by another user; nothing else is a leftover ("vtm*.tmp" neither).
TEST_F(FileStoreTest, LeftoversAreFilesOfTheTemporaryPatternAndNothingElse) {
    const std::string leftover = win32::temporary_file_name();
    const std::string folder = win32::temporary_file_name();
    const std::string digits = "Vantelmoor-0123456789abcdef0123456789abcde";  // 31 hex digits: one short
    std::set<std::string> kept = {digits + ".tmp", digits + "fg.tmp", digits + "g.tmp",
                                  "vtm1.tmp",      "notes.tmp",       "Vantelmoor.dat"};
    for (const std::string& file : kept) test::put(dir.file(file), "x");
    test::put(dir.file(leftover), "x");
    ASSERT_TRUE(CreateDirectoryA(dir.file(folder).c_str(), nullptr));
    store.remove_leftovers(dir.path());
    kept.insert(folder);  // a folder of that name stays too
    EXPECT_EQ(test::names(dir.path()), kept);
}

// A full disk (`test-all`, run as root, mounts a 128 KiB file system): the temporary file's write fails part-way.
TEST(FileStoreFullDiskTest, RewriteThatDoesNotFitLeavesTheOldFileAndNoTemporaryFile) {
    const char* full_disk = std::getenv("VANTELMOOR_FULL_DISK");
    if (full_disk == nullptr) GTEST_SKIP() << "no small file system mounted (test-all mounts one when run as root)";
    const std::string target = std::string(full_disk) + "\\Vantelmoor.log";
    win32::Win32FileStore store;
    ASSERT_FALSE(store.replace(target, "old contents"));

    EXPECT_TRUE(store.replace(target, std::string(1 << 20, 'n')));
    EXPECT_EQ(test::contents(target), "old contents");
    EXPECT_EQ(test::names(full_disk), std::set<std::string>{"Vantelmoor.log"});
}

// Any user could make the marker hidden: that must not end every copy.
TEST_F(FileStoreTest, AMarkerOrFolderIsMadeOnceOnlyWhereTheUserMayAndAMarkerOfAnyAttributesIsAFileButAFolderIsNot) {
    win32::Win32FileSystem file_system;
    EXPECT_EQ(file_system.create_if_absent(target), std::nullopt);
    EXPECT_EQ(test::contents(target), "");
    test::put(target, "kept");
    EXPECT_EQ(file_system.create_if_absent(target), std::nullopt);
    EXPECT_EQ(test::contents(target), "kept");
    for (const DWORD attributes :
         {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY}) {
        SetFileAttributesA(target.c_str(), attributes);
        EXPECT_TRUE(file_system.file_exists(target)) << attributes;
    }
    EXPECT_NE(file_system.create_if_absent(dir.file("no such dir\\marker")).value_or(""), "");
    EXPECT_TRUE(file_system.can_create_files_in(dir.path()));
    EXPECT_FALSE(file_system.can_create_files_in(dir.file("absent")));
    const std::string sub = dir.file("sub");
    EXPECT_EQ(file_system.create_directory(sub), std::nullopt);
    EXPECT_EQ(file_system.create_directory(sub), std::nullopt);  // there already: fine
    EXPECT_TRUE(file_system.create_directory(dir.file("absent\\sub")));
    EXPECT_FALSE(file_system.file_exists(sub));
    EXPECT_EQ(test::names(dir.path()), (std::set<std::string>{"Vantelmoor.dat", "sub"}));  // the question left nothing
}

TEST(InstallFactsTest, TheExecutablesFinalPathAndTheMachinesFolders) {
    const InstallFacts facts = win32::install_facts();
    EXPECT_TRUE(facts.executable.ends_with("\\win32-tests.exe")) << facts.executable;
    EXPECT_EQ(facts.install_location, "");  // no setup ran in this prefix
    EXPECT_EQ(facts.program_files, "C:\\Program Files");
    EXPECT_EQ(facts.common_data, "C:\\ProgramData");
}

}  // namespace
}  // namespace vantelmoor

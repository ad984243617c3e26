// The file store on the real file system: missing files, the exact bytes of a rewrite, and the
// rewrites that cannot happen, which must leave the old file and no temporary file behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "platform/win32/file_store_win32.h"
#include "platform/win32/handles.h"
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
};

TEST_F(FileStoreTest, ReadingAMissingFileCreatesItEmpty) {
    EXPECT_EQ(store.read_all(target), std::optional<std::string>(""));
    EXPECT_EQ(dir.names(), std::set<std::string>{"Vantelmoor.dat"});
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 0u);
    EXPECT_EQ(store.read_all(dir.file("no such dir\\Vantelmoor.dat")), std::nullopt);
}

TEST_F(FileStoreTest, ReadingGivesEveryByteOfTheFile) {
    const std::string bytes = all_byte_values(200'003);
    ScratchDirectory::put(target, bytes);
    EXPECT_EQ(store.read_all(target), bytes);
}

TEST_F(FileStoreTest, ReplacingWritesExactlyTheBytesAndLeavesOnlyTheTarget) {
    ScratchDirectory::put(target, std::string(300'000, 'x'));  // longer than the new contents
    const std::string bytes = all_byte_values(3 * 65'536 + 5);
    ASSERT_TRUE(store.replace(target, bytes));
    EXPECT_EQ(ScratchDirectory::contents(target), bytes);

    const std::string fresh = dir.file("Vantelmoor.log");
    ASSERT_TRUE(store.replace(fresh, std::string("\0Y\x80\xff", 4)));
    EXPECT_EQ(ScratchDirectory::contents(fresh), std::string("\0Y\x80\xff", 4));
    ASSERT_TRUE(store.replace(fresh, ""));
    EXPECT_EQ(ScratchDirectory::contents(fresh), "");
    EXPECT_EQ(dir.names(), (std::set<std::string>{"Vantelmoor.dat", "Vantelmoor.log"}));
}

TEST_F(FileStoreTest, ReplacingIntoADirectoryThatIsNotThereFails) {
    EXPECT_FALSE(store.replace(dir.file("absent\\Vantelmoor.dat"), "bytes"));
    // A directory path that names a file is no directory either.
    ScratchDirectory::put(dir.file("plain"), "kept");
    EXPECT_FALSE(store.replace(dir.file("plain\\Vantelmoor.dat"), "bytes"));
    EXPECT_EQ(ScratchDirectory::contents(dir.file("plain")), "kept");
    EXPECT_EQ(dir.names(), std::set<std::string>{"plain"});
}

TEST_F(FileStoreTest, AReplaceThatCannotHappenLeavesTheOldFileAndNoTemporaryFile) {
    // Another program holding the file open without sharing deletion: the rename over it is refused,
    // on Windows and under Wine alike, after the new bytes were written to the temporary file.
    ScratchDirectory::put(target, "old contents");
    win32::FileHandle holder(CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder.valid());
    const bool replaced = store.replace(target, std::string(100'000, 'n'));
    holder.reset();

    EXPECT_FALSE(replaced);
    EXPECT_EQ(ScratchDirectory::contents(target), "old contents");
    EXPECT_EQ(dir.names(), std::set<std::string>{"Vantelmoor.dat"});
    ASSERT_TRUE(store.replace(target, "new"));  // and nothing is stuck afterwards
    EXPECT_EQ(ScratchDirectory::contents(target), "new");
}

// A full disk: `test-all`, run as root, mounts a 128 KiB file system and names it here. The new
// bytes do not fit, so the write of the temporary file fails part-way.
TEST(FileStoreFullDiskTest, RewriteThatDoesNotFitLeavesTheOldFileAndNoTemporaryFile) {
    const char* full_disk = std::getenv("VANTELMOOR_FULL_DISK");
    if (full_disk == nullptr) GTEST_SKIP() << "no small file system mounted (test-all mounts one when run as root)";
    const std::string target = std::string(full_disk) + "\\Vantelmoor.log";
    win32::Win32FileStore store;
    ASSERT_TRUE(store.replace(target, "old contents"));

    EXPECT_FALSE(store.replace(target, std::string(1 << 20, 'n')));
    EXPECT_EQ(ScratchDirectory::contents(target), "old contents");
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((std::string(full_disk) + "\\vtm*").c_str(), &entry);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "left behind: " << entry.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    DeleteFileA(target.c_str());
}

}  // namespace
}  // namespace vantelmoor

// Files on the real file system: what counts as an existing file, and a marker that is created
// without touching an existing one.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/services_win32.h"
#include "scratch_directory.h"

namespace vantelmoor {
namespace {

class FileSystemTest : public ::testing::Test {
protected:
    std::string make(const char* name, DWORD attributes) {
        const std::string path = dir + name;
        test::ScratchDirectory::put(path, "x");
        SetFileAttributesA(path.c_str(), attributes);
        return path;
    }

    test::ScratchDirectory scratch{"vantelmoor-fs-test"};
    std::string dir = scratch.path();
    win32::Win32FileSystem files;
};

// Any user could make the marker hidden: that must not end every copy.
TEST_F(FileSystemTest, AFileCountsWhateverItsAttributesAndAFolderNever) {
    EXPECT_TRUE(files.file_exists(make("\\plain", FILE_ATTRIBUTE_NORMAL)));
    EXPECT_TRUE(files.file_exists(make("\\hidden", FILE_ATTRIBUTE_HIDDEN)));
    EXPECT_TRUE(files.file_exists(make("\\system", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY)));
    CreateDirectoryA((dir + "\\sub").c_str(), nullptr);
    EXPECT_FALSE(files.file_exists(dir + "\\sub"));
    EXPECT_FALSE(files.file_exists(dir + "\\absent"));
    EXPECT_FALSE(files.file_exists("Q:\\no\\such\\drive"));
    EXPECT_FALSE(files.file_exists(""));
}

TEST_F(FileSystemTest, CreatingAMarkerMakesAnEmptyFileAndKeepsAnExistingOne) {
    const std::string marker = dir + "\\marker";
    EXPECT_EQ(files.create_if_absent(marker), std::nullopt);
    EXPECT_TRUE(files.file_exists(marker));
    EXPECT_EQ(test::ScratchDirectory::contents(marker), "");
    test::ScratchDirectory::put(marker, "kept");
    EXPECT_EQ(files.create_if_absent(marker), std::nullopt);
    EXPECT_EQ(test::ScratchDirectory::contents(marker), "kept");
    const auto failure = files.create_if_absent(dir + "\\no such dir\\marker");
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->empty());
}

TEST_F(FileSystemTest, FilesCanBeMadeOnlyWhereTheUserMayAndAFolderIsMadeOnce) {
    EXPECT_TRUE(files.can_create_files_in(dir));
    EXPECT_FALSE(files.can_create_files_in(dir + "\\absent"));
    EXPECT_EQ(files.create_directory(dir + "\\sub"), std::nullopt);
    EXPECT_EQ(files.create_directory(dir + "\\sub"), std::nullopt);  // there already: fine
    EXPECT_TRUE(files.create_directory(dir + "\\absent\\sub"));
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((dir + "\\Vantelmoor-*").c_str(), &entry);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);  // the question leaves nothing behind
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
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

// A rewrite is crash-safe: a writer alternating two images of different lengths in one file is killed at 40 moments
// over its cycle (writing, flushing, renaming), and the file is wholly one image or the other, never short or mixed.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <string>

#include "platform/win32/file_store_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/services_win32.h"
#include "scratch_directory.h"

namespace vantelmoor {
namespace {

constexpr int kKills = 40;
constexpr DWORD kDeadlineMs = 30'000;

TEST(FileStoreCrashTest, AWriterKilledAtAnyMomentLeavesOneWholeImage) {
    const test::ScratchDirectory dir("vantelmoor-crash-test");
    const std::string image_a(2'000'000, 'A');  // a full call log's size
    const std::string image_b(1'200'000, 'B');
    const std::string target = dir.file("Vantelmoor.log");
    win32::Win32FileStore store;
    ASSERT_FALSE(store.replace(dir.file("a.img"), image_a));
    ASSERT_FALSE(store.replace(dir.file("b.img"), image_b));
    ASSERT_FALSE(store.replace(target, image_b));

    const std::string done_name = "vantelmoor-crash-test-" + std::to_string(GetCurrentProcessId());
    const win32::KernelHandle done(CreateSemaphoreA(nullptr, 0, LONG_MAX, done_name.c_str()));
    ASSERT_TRUE(done.valid());
    std::string command;
    for (const std::string& word : {win32::install_facts().program_dir + "\\" VANTELMOOR_WRITER_EXE, target,
                                    dir.file("a.img"), dir.file("b.img"), done_name})
        command += "\"" + word + "\" ";

    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(
            CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
        CloseHandle(info.hThread);
        const win32::KernelHandle writer(info.hProcess);
        // No check may stop the test before the kill: a writer left behind would go on rewriting.
        const HANDLE waits[] = {done.get(), writer.get()};
        const auto next_rewrite = [&] { return WaitForMultipleObjects(2, waits, FALSE, kDeadlineMs) == WAIT_OBJECT_0; };
        // The first rewrite shows the writer under way; the second (image B) times one rewrite.
        bool rewriting = next_rewrite();
        const auto start = std::chrono::steady_clock::now();
        rewriting = rewriting && next_rewrite();
        const std::chrono::duration<double, std::milli> rewrite = std::chrono::steady_clock::now() - start;
        // The delay only chooses the kill moment: 40 points spread over the next 2.5 rewrites.
        if (rewriting) Sleep(static_cast<DWORD>(rewrite.count() * 2.5 * ((kill * 7) % kKills) / kKills));
        rewriting = rewriting && WaitForSingleObject(writer.get(), 0) == WAIT_TIMEOUT;
        TerminateProcess(writer.get(), 9);
        ASSERT_EQ(WaitForSingleObject(writer.get(), kDeadlineMs), WAIT_OBJECT_0);
        ASSERT_TRUE(rewriting) << "the writer stopped: a rewrite failed";
        // Empty the count this writer left, so that the next writer's rewrites are its own.
        while (WaitForSingleObject(done.get(), 0) == WAIT_OBJECT_0) continue;

        const std::string left = test::contents(target);
        EXPECT_TRUE(left == image_a || left == image_b) << "a " << left.size() << "-byte file";
    }
}

}  // namespace
}  // namespace vantelmoor

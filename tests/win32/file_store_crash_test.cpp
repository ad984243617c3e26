// A rewrite is crash-safe: a writer process that rewrites one file as fast as it can, alternating
// between two call log images of different lengths, is killed at 40 moments spread over its
// rewrite cycle (writing, flushing, renaming). After each kill the file is wholly one image or the
// other: never short, empty or mixed.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <iostream>
#include <string>
#include <vector>

#include "platform/win32/file_store_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/services_win32.h"
#include "scratch_directory.h"
#include "store/call_log.h"

namespace vantelmoor {
namespace {

using test::ScratchDirectory;

constexpr int kKills = 40;
constexpr DWORD kDeadlineMs = 30'000;

std::string call_log_image(std::size_t records, const std::string& caller) {
    std::vector<std::string> lines;
    lines.reserve(records);
    for (std::size_t i = 0; i < records; ++i) {
        lines.push_back(
            call_log_line("03/21", "2:05 PM", caller + std::to_string(i), std::to_string(5550000000 + i), i % 3 == 0));
    }
    return write_call_records(lines);
}

// The writer's process; not valid when it could not start.
win32::KernelHandle start_writer(std::string command_line) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return {};
    }
    CloseHandle(info.hThread);
    return win32::KernelHandle(info.hProcess);
}

TEST(FileStoreCrashTest, AWriterKilledAtAnyMomentLeavesOneWholeImage) {
    const ScratchDirectory dir("vantelmoor-crash-test");
    const std::string image_a = call_log_image(kMaxLogRecords, "CALLER ");
    const std::string image_b = call_log_image(20'000, "ANOTHER CALLER ");
    ASSERT_NE(image_a.size(), image_b.size());
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
                                    dir.file("a.img"), dir.file("b.img"), done_name}) {
        command.append(command.empty() ? "\"" : " \"").append(word).append("\"");
    }

    int left_a = 0;
    int left_b = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        const win32::KernelHandle writer = start_writer(command);
        ASSERT_TRUE(writer);
        struct Kill {  // a writer left by a failed check would go on rewriting
            HANDLE process;
            ~Kill() {
                TerminateProcess(process, 9);
                WaitForSingleObject(process, kDeadlineMs);
            }
        } guard{writer.get()};
        const HANDLE waits[] = {done.get(), writer.get()};
        const auto next_rewrite = [&] { return WaitForMultipleObjects(2, waits, FALSE, kDeadlineMs) == WAIT_OBJECT_0; };
        // The first rewrite shows the writer under way; the second (image B) times one rewrite.
        ASSERT_TRUE(next_rewrite());
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(next_rewrite());
        const std::chrono::duration<double, std::milli> rewrite = std::chrono::steady_clock::now() - start;
        // The delay only chooses the kill moment: 40 points spread over the next 2.5 rewrites.
        const double phase = 2.5 * ((kill * 7) % kKills) / kKills;
        Sleep(static_cast<DWORD>(rewrite.count() * phase));
        ASSERT_EQ(WaitForSingleObject(writer.get(), 0), WAIT_TIMEOUT) << "the writer stopped: a rewrite failed";
        TerminateProcess(writer.get(), 9);
        ASSERT_EQ(WaitForSingleObject(writer.get(), kDeadlineMs), WAIT_OBJECT_0);
        // Empty the count this writer left, so that the next writer's rewrites are its own.
        while (WaitForSingleObject(done.get(), 0) == WAIT_OBJECT_0) continue;

        const std::string left = ScratchDirectory::contents(target);
        left_a += left == image_a ? 1 : 0;
        left_b += left == image_b ? 1 : 0;
        EXPECT_TRUE(left == image_a || left == image_b) << "a " << left.size() << "-byte file";
    }
    // A killed writer may leave its temporary file; nothing reads those.
    std::cout << "[          ] " << kKills << " kills left image A " << left_a << " times, image B " << left_b
              << " times, and " << dir.names().size() - 3 << " temporary files\n";
}

}  // namespace
}  // namespace vantelmoor

// The access lists the program and its setup give (built in memory: Wine keeps none on files); the screening lock.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "platform/win32/access_lists.h"
#include "platform/win32/handles.h"
#include "platform/win32/services_win32.h"

namespace vantelmoor {
namespace {

TEST(AccessListTest, EachObjectGetsExactlyTheDescriptorIntended) {
    const std::pair<win32::AccessPlan, const char*> plans[] = {
        // Users: the folder alone (list, add file, traverse, read attributes and permissions),
        // and read, write, delete on files, as has whoever made a file (OWNER RIGHTS).
        {win32::data_folder_access(),
         "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;;0x1200a3;;;BU)(A;OIIO;0x13019f;;;BU)(A;OIIO;0x13019f;;;OW)"},
        {win32::data_folder_setup_access(), "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)"},
        {win32::installed_marker_access(), "O:BAD:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x100080;;;BU)"},
        {win32::settings_key_access(), "O:BAD:P(A;CI;KA;;;SY)(A;CI;KA;;;BA)(A;;CCDC;;;BU)"},
        {win32::screening_mutex_access(), "D:P(A;;0x100001;;;AU)(A;;0x1f0001;;;SY)(A;;0x1f0001;;;BA)"},
        {win32::elevated_instance_access(), "D:P(A;;0x1f0001;;;SY)(A;;0x1f0001;;;BA)"},
    };
    for (const auto& [plan, expected] : plans) EXPECT_EQ(win32::SecurityDescriptor(plan).sddl(), expected);
}

// The next copy takes the line when the screening one ends, however it ends (here its thread stops without giving the
// mutex back, as a killed process does); an object of that name that any user made first is no free line.
TEST(ScreeningLockTest, OneCopyHoldsItAnotherTakesItWhenThatOneEndsAndANameTakenByAnotherKindOfObjectIsNotFree) {
    win32::KernelHandle squatter(CreateEventA(nullptr, TRUE, FALSE, "Global\\Vantelmoor.Screening"));
    ASSERT_TRUE(squatter.valid());
    win32::Win32ScreeningLock second;
    EXPECT_FALSE(second.try_take());
    squatter.reset();
    std::promise<bool> taken;
    std::promise<void> end;
    std::thread first([&] {
        win32::Win32ScreeningLock lock;
        taken.set_value(lock.try_take());
        end.get_future().wait();
    });
    ASSERT_TRUE(taken.get_future().get());
    EXPECT_FALSE(second.try_take());
    end.set_value();
    first.join();
    EXPECT_TRUE(second.try_take());
    EXPECT_TRUE(second.try_take());
}

}  // namespace
}  // namespace vantelmoor

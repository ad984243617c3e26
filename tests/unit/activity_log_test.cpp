// The activity log keeps its tail and stays bounded however long the port talks.
#include <gtest/gtest.h>

#include "fakes/fake_view.h"
#include "monitor/activity_log.h"

namespace vantelmoor {
namespace {

TEST(ActivityLogTest, FlushAppendsWhatArrivedWithoutRewritingTheBox) {
    test::FakeMainView view;
    ActivityLog log(view);
    for (char ch : std::string("ATZ\r\r\n")) log.append(ch);
    log.flush();
    for (char ch : std::string("OK\r\n")) log.append(ch);
    EXPECT_EQ(view.text(Control::txtStatus), "ATZ\r\r\n");
    log.flush();
    EXPECT_EQ(view.text(Control::txtStatus), "ATZ\r\r\nOK\r\n");
    EXPECT_EQ(view.full_rewrites, 0);
}

TEST(ActivityLogTest, DropsTheOldestTextAndKeepsAtLeastTheLast32KiB) {
    test::FakeMainView view;
    ActivityLog log(view);
    std::string all;
    for (int i = 0; i < 300000; ++i) {
        const char ch = static_cast<char>('a' + i % 26);
        all += ch;
        log.append(ch);
        if (i % 7 == 0) log.flush();
        ASSERT_LE(log.text().size(), ActivityLog::kLimit);
    }
    log.flush();
    EXPECT_GE(log.text().size(), ActivityLog::kKeep);
    EXPECT_EQ(log.text(), all.substr(all.size() - log.text().size()));
    EXPECT_EQ(view.text(Control::txtStatus), log.text());
    EXPECT_LE(view.full_rewrites, 300000 / static_cast<int>(ActivityLog::kLimit - ActivityLog::kKeep) + 1);
}

TEST(ActivityLogTest, ClearEmptiesLogAndBox) {
    test::FakeMainView view;
    ActivityLog log(view);
    log.append('x');
    log.flush();
    log.append('y');
    log.clear();
    log.flush();
    EXPECT_EQ(log.text(), "");
    EXPECT_EQ(view.text(Control::txtStatus), "");
}

}  // namespace
}  // namespace vantelmoor

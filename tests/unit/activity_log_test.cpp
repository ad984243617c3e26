// The activity log keeps its tail and stays bounded however long the port talks.
#include <gtest/gtest.h>

#include "monitor/activity_log.h"

namespace vantelmoor {
namespace {

struct Shown : MonitorListener {
    std::string text;
    int rewrites = 0;
    void activity_appended(std::string_view more) override { text += more; }
    void activity_replaced(const std::string& all) override {
        text = all;
        ++rewrites;
    }
};

TEST(ActivityLogTest, ShowsEachBurstWithoutRewritingAndKeepsAtLeastTheLast32KiB) {
    Shown shown;
    ActivityLog log(shown);
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
    EXPECT_EQ(shown.text, log.text());
    EXPECT_LE(shown.rewrites, 300000 / static_cast<int>(ActivityLog::kLimit - ActivityLog::kKeep) + 1);
}

TEST(ActivityLogTest, NotesStandOnLinesOfTheirOwnAndTheLastFewOutliveAClear) {
    Shown shown;
    ActivityLog log(shown);
    log.append('x');
    for (int i = 0; i < 10; ++i) log.note("note " + std::to_string(i));
    EXPECT_EQ(shown.text.substr(0, 13), "x\r\n* note 0\r\n");
    log.clear();
    EXPECT_EQ(shown.text.find("note 1\r"), std::string::npos);
    EXPECT_EQ(shown.text.find("* note 2\r\n"), 0u);
    EXPECT_EQ(shown.text, log.text());
}

}  // namespace
}  // namespace vantelmoor

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

TEST(ActivityLogTest, KeepsTheLast32KiBShownWithoutRewritesSaysANoteOnceAndAFaultAfterEveryCallUntilMended) {
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

    // After every call the log is emptied: only what still stands comes back, not every note ever made.
    log.clear();
    log.append('x');
    log.note("where the data is kept");
    log.fault(Fault::Modem, "the modem is away");
    log.fault(Fault::Modem, "the modem is away");  // standing already: not said again
    log.fault(Fault::CallLog, "the call log is held");
    EXPECT_EQ(shown.text, "x\r\n* where the data is kept\r\n* the modem is away\r\n* the call log is held\r\n");
    log.clear();
    EXPECT_EQ(shown.text, "* the modem is away\r\n* the call log is held\r\n");
    log.mended(Fault::Modem, "the modem is back");
    log.mended(Fault::Modem, "said only when it stood");
    EXPECT_EQ(shown.text, "* the modem is away\r\n* the call log is held\r\n* the modem is back\r\n");
    log.clear();
    EXPECT_EQ(shown.text, "* the call log is held\r\n");
}

}  // namespace
}  // namespace vantelmoor

// The monitor window's layout table: names the probe relies on, and the conversion of twips.
#include <gtest/gtest.h>

#include <set>

#include "ui/main_window_layout.h"

namespace vantelmoor {
namespace {

TEST(LayoutTest, EveryControlHasAUniqueNameThatFindsIt) {
    std::set<std::string_view> names;
    for (const ControlLayout& item : main_window_controls()) {
        EXPECT_TRUE(names.insert(item.name).second) << item.name;
        EXPECT_EQ(find_control(item.name), item.id);
    }
    EXPECT_EQ(find_control("Connect(9)"), std::nullopt);
}

TEST(LayoutTest, HideLeadsTheTabOrderAndBlockStartsDisabled) {
    EXPECT_EQ(main_window_controls().front().name, "Connect(1)");
    EXPECT_EQ(control_layout(Control::Connect1).text, "&Hide");
    EXPECT_FALSE(control_layout(Control::Connect2).enabled);
}

TEST(LayoutTest, EveryControlLiesWithinTheClientArea) {
    for (const ControlLayout& item : main_window_controls()) {
        EXPECT_LE(item.left + item.width, kMainClientWidth) << item.name;
        EXPECT_LE(item.top + item.height, kMainClientHeight) << item.name;
    }
}

TEST(LayoutTest, TwipsBecomePixelsAtTheWindowsDpi) {
    EXPECT_EQ(twips_to_pixels(1500, 96), 100);
    EXPECT_EQ(twips_to_pixels(5055, 96), 337);
    EXPECT_EQ(twips_to_pixels(5055, 144), 506);  // 505.5 rounds up
    EXPECT_EQ(twips_to_pixels(255, 192), 34);
    EXPECT_EQ(twips_to_pixels(0, 120), 0);
}

}  // namespace
}  // namespace vantelmoor

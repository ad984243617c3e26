// The monitor window's layout table: names the probe relies on, and the conversion of twips.
#include <gtest/gtest.h>

#include <set>

#include "ui/main_window_layout.h"

namespace vantelmoor {
namespace {

TEST(LayoutTest, EveryControlHasAUniqueNameThatFindsIt) {
    std::set<std::string_view> names;
    for (const ControlSpec& spec : main_window_controls()) {
        EXPECT_TRUE(names.insert(spec.name).second) << spec.name;
        EXPECT_EQ(find_control(spec.name), spec.id);
    }
    EXPECT_EQ(find_control("Connect(9)"), std::nullopt);
}

TEST(LayoutTest, HideLeadsTheTabOrderAndBlockStartsDisabled) {
    EXPECT_EQ(main_window_controls().front().name, "Connect(1)");
    EXPECT_EQ(control_spec(Control::Connect1).text, "&Hide");
    EXPECT_FALSE(control_spec(Control::Connect2).enabled);
}

TEST(LayoutTest, EveryControlLiesWithinTheClientArea) {
    for (const ControlSpec& spec : main_window_controls()) {
        EXPECT_LE(spec.left + spec.width, kMainClientWidth) << spec.name;
        EXPECT_LE(spec.top + spec.height, kMainClientHeight) << spec.name;
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

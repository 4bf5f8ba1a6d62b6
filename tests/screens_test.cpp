// Checks that catch slips in the screen layout tables: duplicate controls, lost
// sizes or pictures, and the ordering the runtime relies on.
#include "screens/common.hpp"
#include "screens/screens.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <utility>

namespace {

TEST(Screens, ControlsAreWellFormed) {
    for (const rt::FormLayout* form : screens::all()) {
        SCOPED_TRACE(form->name);
        std::set<std::pair<std::string, int>> seen;
        for (const rt::ControlLayout& c : form->controls) {
            SCOPED_TRACE(c.name);
            EXPECT_TRUE(seen.emplace(c.name, c.index).second) << "duplicate control";
            if (c.kind == rt::Kind::Timer) continue;
            EXPECT_GT(c.rect.width, 0);
            EXPECT_GT(c.rect.height, 0);
            if (c.kind == rt::Kind::Image || c.kind == rt::Kind::PictureBox) {
                ASSERT_NE(c.picture, nullptr);
                EXPECT_NE(std::string(c.picture), "");
            }
        }
    }
}

TEST(Screens, WindowsHaveTheCarrotIconUnlessBorderless) {
    for (const rt::FormLayout* form : screens::all()) {
        SCOPED_TRACE(form->name);
        EXPECT_STREQ(form->pointer, screens::kIcon);
        if (form->style == rt::WindowStyle::Borderless)
            EXPECT_EQ(form->icon, nullptr);
        else
            EXPECT_STREQ(form->icon, screens::kIcon);
    }
}

TEST(Screens, GameScreenOrdersPictureBoxesFirstAndTimersLast) {
    const auto controls = screens::Form2.controls;
    ASSERT_GE(controls.size(), 22u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(controls[i].kind, rt::Kind::PictureBox) << i;
    const auto isTimer = [](const rt::ControlLayout& c) { return c.kind == rt::Kind::Timer; };
    EXPECT_EQ(std::count_if(controls.begin(), controls.end(), isTimer), 18);
    EXPECT_TRUE(std::is_partitioned(controls.begin(), controls.end(), std::not_fn(isTimer)));
}

}  // namespace

// The screens' layout tables: no control named twice, none without a size or a
// picture, and the icon on every window that has a frame to show it.
#include "screens/common.hpp"
#include "screens/screens.hpp"

#include <gtest/gtest.h>

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
        if (form->style == rt::WindowStyle::Borderless)
            EXPECT_EQ(form->icon, nullptr);
        else
            EXPECT_STREQ(form->icon, screens::kIcon);
    }
}

}  // namespace

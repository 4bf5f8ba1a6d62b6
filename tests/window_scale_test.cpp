// The scale the windows open at without --scale: the desktop's own setting, and the
// fit of the game screen on the display.
#include "shell/sdl/window_scale.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using shell::chooseScale;
using shell::DesktopSetting;
using shell::desktopScale;

constexpr rt::PixelSize kGameScreen{454, 534};

DesktopSetting x11(std::string_view resources, std::string_view gdkScale = "") {
    return {false, resources, gdkScale, {3840, 2160}};
}

TEST(WindowScale, FollowsXftDpiRoundedToAWholeScale) {
    EXPECT_EQ(desktopScale(x11("")), 1);
    EXPECT_EQ(desktopScale(x11("Xft.dpi:\t96\n")), 1);
    EXPECT_EQ(desktopScale(x11("Xft.dpi:\t120\n")), 1);
    EXPECT_EQ(desktopScale(x11("Xft.dpi:\t143\n")), 1);  // just under 150 %
    EXPECT_EQ(desktopScale(x11("Xft.dpi:\t144\n")), 2);  // 150 %: the half rounds up
    EXPECT_EQ(desktopScale(x11("Xft.dpi:\t192\n")), 2);
    EXPECT_EQ(desktopScale(x11("Xft.dpi: 288.0")), 3);
    EXPECT_EQ(desktopScale(x11("Xft.dpi:192")), 2);
    EXPECT_EQ(desktopScale(x11(" Xft.dpi :\t192 \t\n")), 2);
    EXPECT_EQ(desktopScale(x11("Xft.dpi:\t960\n")), 4);
    EXPECT_EQ(desktopScale(x11("Xft.dpi:\t40\n")), 1);
    // Among the desktop's other resources, wherever it stands.
    EXPECT_EQ(desktopScale(x11("Xcursor.size:\t48\nXft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n")), 2);
    EXPECT_EQ(desktopScale(x11("Xft.dpiX:\t192\nXcursor.dpi:\t192\n")), 1);
}

TEST(WindowScale, TakesGdkScaleOnlyWithoutXftDpi) {
    EXPECT_EQ(desktopScale(x11("", "2")), 2);
    EXPECT_EQ(desktopScale(x11("", "9")), 4);
    EXPECT_EQ(desktopScale(x11("Xft.dpi:\t96\n", "2")), 1);  // set for GTK alone, beside a desktop at 100 %
    EXPECT_EQ(desktopScale(x11("Xft.dpi:\t192\n", "2")), 2);  // both, as desktops set them at 200 %: not 4
    // Values that say nothing: the desktop's default.
    for (std::string_view nothing : {"", "0", "-2", "1.5", "two", "2x"}) EXPECT_EQ(desktopScale(x11("", nothing)), 1) << nothing;
    EXPECT_EQ(desktopScale(x11("", " 2\t")), 2);
    // An Xft.dpi that is no number, or not above 0, is none; any other is taken.
    for (std::string_view nothing : {"large", "0", "-192", "", " "})
        EXPECT_EQ(desktopScale(x11("Xft.dpi:\t" + std::string(nothing) + "\n", "2")), 2) << nothing;
    EXPECT_EQ(desktopScale(x11("Xft.dpi:\t1\n", "2")), 1);
}

TEST(WindowScale, LeavesTheDensityToAWindowSystemThatScalesItself) {
    const DesktopSetting wayland{true, "Xft.dpi:\t192\n", "2", {1920, 1080}};
    EXPECT_EQ(desktopScale(wayland), 1);
    EXPECT_EQ(chooseScale(wayland, kGameScreen), 1);
}

TEST(WindowScale, IsLoweredUntilTheGameScreenAndItsFrameFit) {
    DesktopSetting desktop = x11("Xft.dpi:\t192\n");
    desktop.usable = {2560, 1600};
    EXPECT_EQ(chooseScale(desktop, kGameScreen), 2);
    desktop.usable = {1280, 800};  // 1068 pixels tall at 2
    EXPECT_EQ(chooseScale(desktop, kGameScreen), 1);
    desktop.usable = {1280, 1068 + 2 * 38};  // exactly room for the frame
    EXPECT_EQ(chooseScale(desktop, kGameScreen), 2);
    desktop.usable.h -= 1;
    EXPECT_EQ(chooseScale(desktop, kGameScreen), 1);
    desktop.usable = {908 + 2 * 8, 2160};  // as wide as the screen and the frame's sides
    EXPECT_EQ(chooseScale(desktop, kGameScreen), 2);
    desktop.usable.w -= 1;
    EXPECT_EQ(chooseScale(desktop, kGameScreen), 1);

    DesktopSetting fourfold = x11("Xft.dpi:\t384\n");  // 4K at 400 %: 2136 + the frame is taller than 2160
    EXPECT_EQ(chooseScale(fourfold, kGameScreen), 3);
    fourfold.usable = {200, 150};  // nothing fits: the smallest scale still
    EXPECT_EQ(chooseScale(fourfold, kGameScreen), 1);
    fourfold.usable = {1, 1};
    EXPECT_EQ(chooseScale(fourfold, kGameScreen), 1);
    // Not known, as either side of 0 says: the desktop's own.
    for (const rt::PixelSize unknown : {rt::PixelSize{0, 0}, rt::PixelSize{0, 2160}, rt::PixelSize{3840, 0}}) {
        fourfold.usable = unknown;
        EXPECT_EQ(chooseScale(fourfold, kGameScreen), 4) << unknown.w << " by " << unknown.h;
    }
}

}  // namespace

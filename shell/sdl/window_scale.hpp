// The scale of the windows when the command line names none: the desktop's own
// setting, lowered until the largest screen, frame included, fits the display.
#pragma once

#include "runtime/canvas.hpp"
#include "shell/backend.hpp"

#include <string_view>

namespace shell {

// What the desktop says of itself, as the windows backend finds it.
struct DesktopSetting {
    // The window system scales windows to the desktop's density itself (Wayland's
    // output scale, through SDL's high-density support): window coordinates are
    // then the desktop's own, and its other settings would scale a second time.
    bool scalesItself = false;
    std::string_view xResources;  // the X server's resource database as text (xrdb's)
    std::string_view gdkScale;    // the GDK_SCALE environment variable
    // The usable area of the display the windows open on, in window coordinates;
    // 0 by 0 where it is not known.
    rt::PixelSize usable;
};

// The desktop's own scale, 1 to kLargestScale: 1 where the window system scales
// itself; else Xft.dpi over 96 where the X resources give it, else GDK_SCALE, rounded
// to the nearest whole scale.
int desktopScale(const DesktopSetting& desktop);

// desktopScale lowered until `screen` (a client area at scale 1) drawn at that scale,
// with a window manager's frame drawn at the desktop's scale, fits the usable area;
// never below 1.
int chooseScale(const DesktopSetting& desktop, rt::PixelSize screen);

}  // namespace shell

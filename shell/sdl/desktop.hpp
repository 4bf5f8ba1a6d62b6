// The game in windows: one window per shown screen, input from the window system,
// timers on the real clock. Sleeps until the next tick or input.
#pragma once

#include "runtime/app.hpp"

namespace shell {

// Opens the first screen and plays until the program ends. `scale`: window pixels per screen pixel. Throws
// PlatformError when there is no display or a window cannot be made.
void playInWindows(rt::App& app, int scale);

}  // namespace shell

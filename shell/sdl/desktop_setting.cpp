#include "shell/sdl/desktop_setting.hpp"

#include "runtime/drawing.hpp"
#include "screens/screens.hpp"
#include "shell/sdl/sdl_library.hpp"
#include "shell/sdl/window_scale.hpp"

#include <SDL.h>

#ifdef KRAX_X11
#include <X11/Xlib.h>
#endif

#include <algorithm>
#include <string>
#include <string_view>

namespace shell {

namespace {
// The X server's resource database, where a desktop keeps Xft.dpi; read on a
// connection of its own, since SDL does not share its own.
std::string xResources() {
#ifdef KRAX_X11
    Display* display = XOpenDisplay(nullptr);
    if (!display) return {};
    const char* text = XResourceManagerString(display);
    std::string resources = text ? text : "";
    XCloseDisplay(display);
    return resources;
#else
    return {};
#endif
}

rt::PixelSize largestScreen() {
    rt::PixelSize largest;
    for (const rt::FormLayout* layout : screens::all()) {
        const rt::PixelSize size = rt::clientPixels(*layout, 1);
        largest = {std::max(largest.w, size.w), std::max(largest.h, size.h)};
    }
    return largest;
}
}  // namespace

int scaleOfDesktop() {
    const std::string_view system = windowSystem();
    const std::string resources = system == "x11" ? xResources() : "";
    const char* gdkScale = SDL_getenv("GDK_SCALE");
    SDL_Rect usable{};
    // The windows open centred on the first display.
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) usable = {};
    const DesktopSetting setting{system == "wayland", resources, gdkScale ? gdkScale : "", {usable.w, usable.h}};
    return chooseScale(setting, largestScreen());
}

}  // namespace shell

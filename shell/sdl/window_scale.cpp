#include "shell/sdl/window_scale.hpp"

#include "runtime/single_text.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

namespace shell {

namespace {
constexpr double kBaseDpi = 96;  // the density at which a desktop's scale is 1
// A window manager's borders and title bar at scale 1, for the fit.
constexpr rt::PixelSize kFrame{8, 38};

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<double> positiveNumber(std::string_view text) {
    const auto value = rt::singleFromText(trimmed(text));
    if (!value || !std::isfinite(*value) || !(*value > 0)) return std::nullopt;
    return *value;
}

// The value of Xft.dpi among "name:\tvalue" lines.
std::optional<double> xftDpi(std::string_view resources) {
    constexpr std::string_view kName = "Xft.dpi";
    while (!resources.empty()) {
        const std::size_t end = std::min(resources.find('\n'), resources.size());
        const std::string_view line = resources.substr(0, end);
        resources.remove_prefix(std::min(end + 1, resources.size()));
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos && trimmed(line.substr(0, colon)) == kName)
            return positiveNumber(line.substr(colon + 1));
    }
    return std::nullopt;
}

int wholeScale(double factor) { return int(std::clamp(std::lround(factor), 1L, long(kLargestScale))); }

bool fits(rt::PixelSize screen, int scale, int desktop, rt::PixelSize usable) {
    return screen.w * scale + kFrame.w * desktop <= usable.w && screen.h * scale + kFrame.h * desktop <= usable.h;
}
}  // namespace

int desktopScale(const DesktopSetting& desktop) {
    if (desktop.scalesItself) return 1;
    if (const auto dpi = xftDpi(desktop.xResources)) return wholeScale(*dpi / kBaseDpi);
    // GDK reads only a whole number here.
    if (const auto gdk = positiveNumber(desktop.gdkScale); gdk && *gdk == std::floor(*gdk)) return wholeScale(*gdk);
    return 1;
}

int chooseScale(const DesktopSetting& desktop, rt::PixelSize screen) {
    const int own = desktopScale(desktop);
    if (desktop.usable.w <= 0 || desktop.usable.h <= 0) return own;
    int scale = own;
    while (scale > 1 && !fits(screen, scale, own, desktop.usable)) --scale;
    return scale;
}

}  // namespace shell

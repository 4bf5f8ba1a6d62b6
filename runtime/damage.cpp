#include "runtime/damage.hpp"

#include "runtime/drawing.hpp"

#include <algorithm>
#include <numeric>

namespace rt {

namespace {
// Beyond this many areas one rectangle around them all is cheaper to present.
constexpr std::size_t kMostAreas = 8;

PixelRect around(PixelRect a, PixelRect b) {
    const int x = std::min(a.x, b.x), y = std::min(a.y, b.y);
    return {x, y, std::max(a.x + a.w, b.x + b.w) - x, std::max(a.y + a.h, b.y + b.h) - y};
}

bool inside(PixelRect a, PixelRect b) { return a.x >= b.x && a.y >= b.y && a.x + a.w <= b.x + b.w && a.y + a.h <= b.y + b.h; }

void add(std::vector<PixelRect>& areas, PixelRect area) {
    if (area.w <= 0 || area.h <= 0) return;
    if (std::none_of(areas.begin(), areas.end(), [&](PixelRect a) { return inside(area, a); })) areas.push_back(area);
}
}  // namespace

Damage::Seen Damage::seen(const Control& control, int scale) {
    Seen s{control.Visible(), devicePixels(control.rect(), scale), {}, nullptr};
    if (const auto* label = dynamic_cast<const Label*>(&control)) s.caption = label->Caption();
    if (const auto* box = dynamic_cast<const PictureBox*>(&control)) s.painted = box->painted();
    return s;
}

std::vector<PixelRect> Damage::since(const Form& form, int scale) {
    if (!seen_.empty() && form.version() == version_) return {};
    version_ = form.version();
    const PixelSize size = clientPixels(form.layout(), scale);
    const PixelRect client{0, 0, size.w, size.h};
    const auto& controls = form.controls();
    std::vector<PixelRect> areas;
    if (seen_.size() != controls.size()) {
        seen_.clear();
        for (const auto& control : controls) seen_.push_back(seen(*control, scale));
        return {client};
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i]->kind() == Kind::Timer) continue;
        Seen now = seen(*controls[i], scale);
        if (now == seen_[i]) continue;
        if (seen_[i].visible) add(areas, intersect(seen_[i].box, client));
        if (now.visible) add(areas, intersect(now.box, client));
        seen_[i] = std::move(now);
    }
    if (areas.size() > kMostAreas)
        areas = {std::accumulate(areas.begin() + 1, areas.end(), areas.front(), around)};
    return areas;
}

}  // namespace rt

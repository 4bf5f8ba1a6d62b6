// What changed on a screen since it was last drawn, as areas of its client area in
// device pixels, so that a backend redraws and presents only those (drawForm with an
// area). A control's pixels lie inside its rectangle, so a control that was shown,
// hidden, moved, recaptioned or repainted damages its old and its new rectangle.
#pragma once

#include "runtime/canvas.hpp"
#include "runtime/form.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace rt {

class Damage {
public:
    // The areas whose pixels may differ since the last call, and remembers the form as
    // it is now: none at once while the form's version is the same. The first call, and
    // the first after forget() (a window uncovered, or its pixels lost), gives the whole
    // client area.
    std::vector<PixelRect> since(const Form& form, int scale);
    void forget() { seen_.clear(); }

private:
    // What of a control shows on screen.
    struct Seen {
        bool visible = false;
        PixelRect box{};
        std::string caption;
        const char* painted = nullptr;
        bool operator==(const Seen&) const = default;
    };
    static Seen seen(const Control& control, int scale);

    std::vector<Seen> seen_;
    std::uint64_t version_ = 0;  // the form's, when seen_ was taken
};

}  // namespace rt

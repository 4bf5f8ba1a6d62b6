// The window element of one shown screen: made when the screen is shown, gone when it
// is hidden or unloaded. Its input goes to the page; it redraws only when the screen's
// pixels changed.
#pragma once

#include "runtime/form.hpp"

#include <cstdint>

namespace shell {

class Page;

class PageWindow {
public:
    PageWindow(Page& page, rt::Form& form);
    ~PageWindow();
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;

    Page& page() const { return page_; }
    rt::Form& form() const { return form_; }
    // Depth 0 is the frontmost window.
    void stackAt(int depth);
    void drawIfChanged();
    void redraw() { drawn_ = false; }

private:
    void listen(bool on);

    Page& page_;
    rt::Form& form_;
    std::uint64_t drawnVersion_ = 0;
    bool drawn_ = false;
};

}  // namespace shell

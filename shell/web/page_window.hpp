// The window element of one shown screen: made when the screen is shown, gone when it
// is hidden or unloaded. Its input, mouse and fingers, goes to the page, which feeds
// it to the game through its LiveInput; it redraws only what changed of the screen's
// pixels.
#pragma once

#include "runtime/damage.hpp"
#include "runtime/form.hpp"

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
    // The canvas lost its pixels: all of it draws again.
    void redraw() { damage_.forget(); }

private:
    void listen(bool on);

    Page& page_;
    rt::Form& form_;
    rt::Damage damage_;
    int depth_ = -1;
};

}  // namespace shell

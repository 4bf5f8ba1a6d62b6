#include "shell/web/page_window.hpp"

#include "runtime/drawing.hpp"
#include "shell/web/browser.hpp"
#include "shell/web/page.hpp"
#include "shell/web/touch.hpp"
#include "shell/web/web_canvas.hpp"

#include <emscripten/html5.h>

#include <string>

namespace shell {

namespace {

int buttonOf(unsigned short button) {
    if (button == 0) return rt::kLeftButton;
    if (button == 2) return rt::kRightButton;
    return rt::kMiddleButton;
}

int shiftOf(const EmscriptenMouseEvent& e) { return rt::shiftState(e.shiftKey, e.ctrlKey, e.altKey); }

// A press anywhere on the window, seen before the canvas sees it.
EM_BOOL pressed(int, const EmscriptenMouseEvent*, void* data) {
    auto& window = *static_cast<PageWindow*>(data);
    window.page().raise(window.form());
    return false;
}

EM_BOOL mouse(int type, const EmscriptenMouseEvent* e, void* data) {
    auto& window = *static_cast<PageWindow*>(data);
    rt::Form& form = window.form();
    const DeskFit& fit = window.page().fit();
    const rt::Single x = fit.twips(double(e->targetX)), y = fit.twips(double(e->targetY));
    window.page().handle([&](LiveInput& input) {
        if (type == EMSCRIPTEN_EVENT_MOUSEDOWN) input.mouseDown(form, x, y, buttonOf(e->button), shiftOf(*e));
        if (type == EMSCRIPTEN_EVENT_MOUSEUP) input.mouseUp(form, x, y, buttonOf(e->button), shiftOf(*e));
        if (type == EMSCRIPTEN_EVENT_MOUSEMOVE)
            input.mouseMove(form, x, y, e->buttons & (rt::kLeftButton | rt::kRightButton), shiftOf(*e));
    });
    return type == EMSCRIPTEN_EVENT_MOUSEDOWN;  // no text selection, no focus moves
}

rt::PixelRect grown(rt::PixelRect r, int by) { return {r.x - by, r.y - by, r.w + 2 * by, r.h + 2 * by}; }

EM_BOOL closeBox(int, const EmscriptenMouseEvent*, void* data) {
    auto& window = *static_cast<PageWindow*>(data);
    window.page().handle([&](LiveInput& input) { input.closeBox(window.form()); });
    return true;
}

}  // namespace

PageWindow::PageWindow(Page& page, rt::Form& form) : page_(page), form_(form) {
    const rt::FormLayout& layout = form.layout();
    const rt::PixelSize size = rt::clientPixels(layout, 1);
    kraxWindowOpen(layout.name, layout.caption, layout.style == rt::WindowStyle::Borderless, size.w, size.h);
    listen(true);
    listenToFingers(*this);
}

PageWindow::~PageWindow() {
    listen(false);
    kraxWindowClose(form_.name());
}

// With no callback, Emscripten takes the listeners off again.
void PageWindow::listen(bool on) {
    const std::string window = std::string("[data-form=\"") + form_.name() + "\"]";
    const std::string canvas = window + " canvas";
    emscripten_set_mousedown_callback(window.c_str(), this, true, on ? pressed : nullptr);
    emscripten_set_mousedown_callback(canvas.c_str(), this, false, on ? mouse : nullptr);
    emscripten_set_mouseup_callback(canvas.c_str(), this, false, on ? mouse : nullptr);
    emscripten_set_mousemove_callback(canvas.c_str(), this, false, on ? mouse : nullptr);
    if (form_.layout().style != rt::WindowStyle::Borderless)
        emscripten_set_click_callback((window + " .close").c_str(), this, false, on ? closeBox : nullptr);
}

void PageWindow::stackAt(int depth) {
    if (depth != depth_) kraxWindowDepth(form_.name(), depth);
    depth_ = depth;
}

// Around each change a little more is drawn, so that the device pixels on its edge
// are drawn whole at the desk's scale.
void PageWindow::drawIfChanged() {
    const int overdraw = page_.fit().overdraw();
    const rt::PixelSize client = rt::clientPixels(form_.layout(), 1);
    for (const rt::PixelRect& changed : damage_.since(form_, 1)) {
        const rt::PixelRect area = rt::intersect({0, 0, client.w, client.h}, grown(changed, overdraw));
        WebCanvas canvas(form_.name(), area);
        rt::drawForm(form_, canvas, 1, area);
    }
}

}  // namespace shell

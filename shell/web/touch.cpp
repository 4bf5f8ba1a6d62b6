#include "shell/web/touch.hpp"

#include "shell/web/browser.hpp"
#include "shell/web/page.hpp"

namespace shell {

namespace {

// The kinds of kraxListenFingers, in its order.
enum Kind { kDown, kMove, kUp, kCancel };

void pointer(void* data, int kind, int finger, double cssX, double cssY) {
    auto& window = *static_cast<PageWindow*>(data);
    Page& page = window.page();
    rt::Form& form = window.form();
    const rt::Single x = page.fit().twips(cssX), y = page.fit().twips(cssY);
    if (kind == kDown) page.raise(form);
    page.handle([&](LiveInput& input) {
        Fingers& fingers = page.fingers();
        if (kind == kDown) fingers.down(input, form, finger, x, y);
        if (kind == kMove) fingers.move(input, finger, x, y);
        if (kind == kUp) fingers.up(input, finger, x, y);
        if (kind == kCancel) fingers.cancel(input, finger);
    });
}

}  // namespace

void listenToFingers(PageWindow& window) { kraxListenFingers(window.form().name(), pointer, &window); }

}  // namespace shell

#include "shell/web/fingers.hpp"

namespace shell {

// A mouse gets to a point before it presses there: the move comes first, so the gun
// turns to where the finger lands, as it would to the mouse.
void Fingers::down(rt::App& app, rt::Form& form, int finger, rt::Single x, rt::Single y) {
    if (held_) release(app);
    held_ = Held{finger, &form, x, y, y};
    app.mouseMove(form, x, y, 0, 0);
    app.mouseDown(form, x, y, rt::kLeftButton, 0);
}

void Fingers::move(rt::App& app, int finger, rt::Single x, rt::Single y) {
    if (!holds(finger)) return;
    held_->x = x;
    held_->y = y;
    app.mouseMove(*held_->form, x, y, rt::kLeftButton, 0);
}

void Fingers::up(rt::App& app, int finger, rt::Single x, rt::Single y) {
    if (!holds(finger)) return;
    held_->x = x;
    held_->y = y;
    const bool swiped = held_->startY - y >= swipeUp_;
    release(app);
    if (swiped) app.keyUp(rt::kKeyUp, 0);
}

void Fingers::cancel(rt::App& app, int finger) {
    if (holds(finger)) release(app);
}

void Fingers::release(rt::App& app) {
    const Held held = *held_;
    held_.reset();
    app.mouseUp(*held.form, held.x, held.y, rt::kLeftButton, 0);
}

}  // namespace shell

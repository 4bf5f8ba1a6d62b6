#include "shell/web/fingers.hpp"

namespace shell {

// A mouse gets to a point before it presses there: the move comes first, so the gun
// turns to where the finger lands, as it would to the mouse.
void Fingers::down(LiveInput& input, rt::Form& form, int finger, rt::Single x, rt::Single y) {
    if (held_) release(input);
    held_ = Held{finger, &form, x, y, y};
    input.mouseMove(form, x, y, 0, 0);
    input.mouseDown(form, x, y, rt::kLeftButton, 0);
}

void Fingers::move(LiveInput& input, int finger, rt::Single x, rt::Single y) {
    if (!holds(finger)) return;
    held_->x = x;
    held_->y = y;
    input.mouseMove(*held_->form, x, y, rt::kLeftButton, 0);
}

void Fingers::up(LiveInput& input, int finger, rt::Single x, rt::Single y) {
    if (!holds(finger)) return;
    held_->x = x;
    held_->y = y;
    const bool swiped = held_->startY - y >= swipeUp_;
    release(input);
    if (swiped) input.keyUp(rt::kKeyUp, 0);
}

void Fingers::cancel(LiveInput& input, int finger) {
    if (holds(finger)) release(input);
}

void Fingers::release(LiveInput& input) {
    const Held held = *held_;
    held_.reset();
    input.mouseUp(*held.form, held.x, held.y, rt::kLeftButton, 0);
}

}  // namespace shell

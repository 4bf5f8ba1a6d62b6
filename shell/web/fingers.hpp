// Touches as the one mouse the game knows, fed to it through the page's LiveInput. A
// finger presses the left button where it lands, at once (the shot fires on
// touch-down, as a mouse press fires it); moving it drags with the button held, and
// lifting it is the release (and the click, where the game sees one). The latest
// finger down is the mouse: a second finger lets the first one's button go where it
// is and presses anew, so two quick taps are two presses, and the first finger counts
// no more.
//
// A finger that went up by the swipe distance or more before lifting then raises the
// Up key's release, which opens the code box on the game screen.
#pragma once

#include "shell/live_input.hpp"

#include <optional>

namespace shell {

class Fingers {
public:
    // `swipeUp`: in twips of the screens' client areas.
    explicit Fingers(rt::Single swipeUp) : swipeUp_(swipeUp) {}

    // Points are in twips of the client area of the window the finger landed on; a
    // finger keeps that window till it lifts.
    void down(LiveInput& input, rt::Form& form, int finger, rt::Single x, rt::Single y);
    void move(LiveInput& input, int finger, rt::Single x, rt::Single y);
    void up(LiveInput& input, int finger, rt::Single x, rt::Single y);
    // The browser took the finger over: the button comes up where it was, as no swipe.
    void cancel(LiveInput& input, int finger);

private:
    struct Held {
        int finger;
        rt::Form* form;
        rt::Single x, y;
        rt::Single startY;
    };
    bool holds(int finger) const { return held_ && held_->finger == finger; }
    void release(LiveInput& input);

    rt::Single swipeUp_;
    std::optional<Held> held_;
};

}  // namespace shell

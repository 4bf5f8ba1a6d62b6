// The runtime's clock in a window session: milliseconds since start, standing still
// while a modal box is open.
#pragma once

#include "runtime/controls.hpp"

#include <SDL_timer.h>

namespace shell {

class RealClock {
public:
    rt::Millis now() const { return rt::Millis(SDL_GetTicks64() - start_) - paused_; }
    void pause() { pausedAt_ = now(); }
    void resume() { paused_ += now() - pausedAt_; }

private:
    Uint64 start_ = SDL_GetTicks64();
    rt::Millis paused_ = 0;
    rt::Millis pausedAt_ = 0;
};

}  // namespace shell

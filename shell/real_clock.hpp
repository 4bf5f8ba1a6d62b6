// The runtime's clock when playing for real: milliseconds since start, standing still
// while a modal box is open.
#pragma once

#include "runtime/controls.hpp"

#include <chrono>

namespace shell {

class RealClock {
public:
    rt::Millis now() const {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now() - start_).count() - paused_;
    }
    void pause() { pausedAt_ = now(); }
    void resume() { paused_ += now() - pausedAt_; }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    rt::Millis paused_ = 0;
    rt::Millis pausedAt_ = 0;
};

}  // namespace shell

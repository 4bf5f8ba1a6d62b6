// The runtime's clock when playing for real: milliseconds since start, standing still
// while a modal box is open (the page's box of a replay's answer is open while the
// browser runs on, and anything that reads the clock meanwhile finds it still).
#pragma once

#include "runtime/controls.hpp"

#include <chrono>
#include <optional>

namespace shell {

class RealClock {
public:
    rt::Millis now() const { return pausedAt_ ? *pausedAt_ : running(); }
    void pause() { pausedAt_ = running(); }
    void resume() {
        paused_ += running() - *pausedAt_;
        pausedAt_.reset();
    }

private:
    rt::Millis running() const {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now() - start_).count() - paused_;
    }

    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    rt::Millis paused_ = 0;
    std::optional<rt::Millis> pausedAt_;  // while paused
};

}  // namespace shell

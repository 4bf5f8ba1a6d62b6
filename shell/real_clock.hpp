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

    // Stands the clock still while it lives: the time a modal box is open is not the
    // round's, which goes on where it was when the box closes.
    class Still {
    public:
        explicit Still(RealClock& clock) : clock_(clock), at_(clock.now()) {}
        ~Still() { clock_.paused_ += clock_.now() - at_; }
        Still(const Still&) = delete;
        Still& operator=(const Still&) = delete;

    private:
        RealClock& clock_;
        rt::Millis at_;
    };

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    rt::Millis paused_ = 0;
};

}  // namespace shell

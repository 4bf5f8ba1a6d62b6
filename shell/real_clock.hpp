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
    rt::Millis now() const { return stillAt_ ? *stillAt_ : running(); }

    // Stands the clock still while it lives: the time a modal box is open is not the
    // round's, which goes on where it was when the box closes.
    class Still {
    public:
        explicit Still(RealClock& clock) : clock_(clock) { clock_.stillAt_ = clock_.running(); }
        ~Still() {
            clock_.paused_ += clock_.running() - *clock_.stillAt_;
            clock_.stillAt_.reset();
        }
        Still(const Still&) = delete;
        Still& operator=(const Still&) = delete;

    private:
        RealClock& clock_;
    };

private:
    rt::Millis running() const {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now() - start_).count() - paused_;
    }

    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    rt::Millis paused_ = 0;
    std::optional<rt::Millis> stillAt_;  // while still
};

}  // namespace shell

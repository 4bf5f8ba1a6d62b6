// The real clock stands still while a modal box is open, and the time the box was
// open never reaches the game.
#include "shell/real_clock.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

TEST(RealClock, StandsStillWhilePausedAndGoesOnFromThereAfter) {
    using namespace std::chrono_literals;
    constexpr rt::Millis kBoxOpen = 200;
    shell::RealClock clock;
    std::this_thread::sleep_for(20ms);
    const rt::Millis before = clock.now();
    EXPECT_GE(before, 20);
    {
        const shell::RealClock::Still still(clock);
        std::this_thread::sleep_for(std::chrono::milliseconds(kBoxOpen));
        EXPECT_EQ(clock.now(), before);
    }
    EXPECT_LT(clock.now() - before, kBoxOpen);
    {
        const shell::RealClock::Still still(clock);  // a second box
        std::this_thread::sleep_for(std::chrono::milliseconds(kBoxOpen));
    }
    EXPECT_LT(clock.now() - before, kBoxOpen);
}

}  // namespace

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
    clock.pause();
    std::this_thread::sleep_for(std::chrono::milliseconds(kBoxOpen));
    EXPECT_EQ(clock.now(), before);
    clock.resume();
    EXPECT_LT(clock.now() - before, kBoxOpen);
    clock.pause();  // a second box
    std::this_thread::sleep_for(std::chrono::milliseconds(kBoxOpen));
    clock.resume();
    EXPECT_LT(clock.now() - before, kBoxOpen);
}

}  // namespace

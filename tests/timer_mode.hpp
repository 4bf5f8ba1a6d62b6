// CTest runs the tests of code on the timers' schedule twice (the files tests/CMakeLists.txt
// lists as timer_tests): as the game runs, and with KRAX_EVERY_TICK set, where timers
// with nothing to do tick anyway. The same tests must pass both ways.
#pragma once

#include "runtime/app.hpp"

#include <cstdlib>

inline bool everyTick() { return std::getenv("KRAX_EVERY_TICK") != nullptr; }
inline void useTimerMode(rt::App& app) { app.setQuietTimersSleep(!everyTick()); }

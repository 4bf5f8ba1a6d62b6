// What a replay can do without. A replay of a tape waits tick by tick between its
// steps, each timer ticking at its own moment; the window session it came from woke
// late, now and then, and ran what was due at the moment it woke. Most of that
// lateness changes nothing the player could see: the maker plays the round again,
// waiting where the session woke late, beside the session as it was, keeps a wake-up
// where waiting left the state or a timer's schedule otherwise, and then leaves out
// again each of those whose absence changes the state at no input.
#pragma once

#include "shell/link/source_play.hpp"
#include "shell/link/tape_script.hpp"

#include <vector>

namespace shell {

// For each step of `play`, whether every tape of it keeps it: every button, close box,
// answer and seed, and every move, key or activation that changed anything.
std::vector<bool> stepsAlwaysKept(const SourcePlay& play);

// For each step of `play`, whether its tape keeps it: every button, close box, answer
// and seed; a move, key or activation that changed anything; a wake-up whose lateness
// mattered. A replay of the steps kept reaches the same state as `play` after each of
// its inputs (at the moment of one left out), and at the end.
std::vector<bool> neededSteps(const SourcePlay& play, const ScreenNames& screens);

// The tape of those steps.
Tape tapeOf(const SourcePlay& play, const std::vector<bool>& keep, int rules);

}  // namespace shell

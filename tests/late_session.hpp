// Rounds as a person plays them in the windows, made without windows: a player at a
// person's pace, and a window loop whose wake-ups come late at random, both feeding the
// recorder as the desktop feeds it. What the recorder writes is a recording as
// `krax --record` makes one.
#pragma once

#include <cstdint>
#include <string>

namespace late_session {

struct Figures {
    int clicks = 0, moves = 0, keys = 0, wakeUps = 0;
};

enum class Style {
    Aiming,    // shoots the pigs that come up, now and then the bare ground
    Restless,  // the same, with a pointer that never stops
    Steady,    // fires at a steady pace, at a pig where one is up, for a minute
};

// START, a round shooting as the style has it and reloading when the carrots run low,
// a moment on the result, the close box. Returns the recording; `figures` gets what
// went into it, `kept` the round as the desktop keeps it on its own.
std::string humanRound(std::uint32_t seed, Style style, Figures* figures = nullptr, std::string* kept = nullptr);

}  // namespace late_session

// A script played through once, as the maker of a link first plays it: every step it
// takes, in the words a tape has for it, with what it did to the program.
#pragma once

#include "runtime/controls.hpp"
#include "shell/link/tape.hpp"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// A script that cannot be made a link; the message is one line.
class TapeRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Played {
    enum class Role : std::uint8_t {
        Needed,  // always on the tape: a button, a close box, an answer, a seed
        Input,   // on the tape only if it changed anything: a move, a key, an activation
        Clock,   // a catch-up: on the tape only where a replay that waits would differ
        Wait,    // the clock moved tick by tick: a replay does the same unasked
    };
    Role role = Role::Needed;
    Step step;               // its `at`: when it began; for Wait and Clock steps, `length` too
    bool changed = false;    // it changed the program's state (an input); it ran a timer (a clock)
    std::uint64_t state = 0; // the state's digest after it, for an Input or a Needed step
};

// The steps' moments are the program's clock; the round began at `origin`, which the
// start may have set.
struct SourcePlay {
    std::uint32_t seed = 0;
    std::vector<StartWord> start;
    std::int64_t origin = 0;
    std::vector<Played> steps;
    std::int64_t length = 0;  // the clock at the end
    std::uint64_t endState = 0;
};

// Plays the script on a program of its own from the program's start. Throws
// TapeRefused, naming the line, for what a link cannot hold: `set`, `shot`, a line that
// does not run, an `expect` that does not hold. `print` and `dump` are passed over.
SourcePlay playSource(std::istream& script, std::string_view source);

}  // namespace shell

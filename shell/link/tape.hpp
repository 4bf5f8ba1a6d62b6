// A round as a link carries it: where it starts, and the steps a replay needs, each at
// its moment on the round's clock. Plain data, the same on every platform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace shell {

// One step of a round, as one line of a scenario script (see tape_script.hpp) after
// the clock has moved to `at`, tick by tick.
struct Step {
    enum class Kind : std::uint8_t {
        Down,       // screen x y button shift
        Up,         // screen x y button shift
        Move,       // screen x y button (the buttons held) shift
        KeyPress,   // code
        KeyUp,      // code shift
        Activate,   // screen
        Close,      // screen
        Answer,     // text
        Cancel,     //
        Seed,       // seed
        EveryTick,  //
        CatchUp,    // length: the clock jumps that far at once, as a late wake-up does
    };
    Kind kind = Kind::Down;
    std::int64_t at = 0;  // milliseconds since the round's start
    int screen = 0;       // in the order the rules define the screens
    float x = 0, y = 0;   // twips
    int button = 0;       // a button (1 left, 2 right, 4 middle), or those held for a move
    int shift = 0;        // 0 to 7
    int code = 0;         // a character or a key code, 0 to 255
    std::uint32_t seed = 0;
    std::int64_t length = 0;
    std::string text;

    bool operator==(const Step&) const = default;
};

// A word of the state a round starts from: a whole number or a text.
struct StartWord {
    bool isText = false;
    std::int64_t number = 0;
    std::string text;

    bool operator==(const StartWord&) const = default;
};

struct Tape {
    int rules = 0;               // the version of the game's rules that played it
    std::uint32_t seed = 0;      // the random sequence's seed at the start
    std::vector<StartWord> start;  // what the round starts from; empty: the program's start
    std::vector<Step> steps;     // in the order of their moments
    std::int64_t length = 0;     // milliseconds from the start to the end, at least the last step's

    bool operator==(const Tape&) const = default;
};

}  // namespace shell

// What a round starts from. A round begins when the game screen loads, at the click
// of a button that leads to it, and carries over from before: three variables of the
// game screen that its load leaves alone, the screens as they stand, the button held
// down and the clock's time. A `round` line states all of it, so that a round kept on
// its own plays again, from a freshly started program, as it played in its session.
#pragma once

#include "runtime/app.hpp"
#include "shell/script/script_session.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace shell {

struct RoundStart {
    rt::Millis time = 0;
    int appearRoll = 0;  // Form2.intAppearRoll
    int blinkPhase = 0;  // Form2.intBlinkPhase
    std::string code;    // Form2.strCode
    std::vector<std::string> shown;   // the shown screens, front to back
    std::string active;               // the active one among them
    std::vector<std::string> hidden;  // loaded, not shown
    std::string pressed;              // FORM.CONTROL: the button held down

    bool operator==(const RoundStart&) const = default;
};

// The program as it stands, read as the start of a round (sound only when the game
// screen is not loaded and a button to it is held down).
RoundStart roundStartOf(rt::App& app);

inline constexpr std::string_view kRoundUsage =
    "round TIME ROLL PHASE CODE shown FORM... active FORM [hidden FORM...] pressed FORM.CONTROL";

// The `round` line that states it.
std::string roundLine(const RoundStart& start);

// The words of a `round` line (the command first), checked against what a round can
// leave; throws ScriptError for anything else.
RoundStart readRoundStart(rt::App& app, Words words);

// The `round` command: puts a program that has done nothing yet where the round starts.
void round(Session& session, Words words);

}  // namespace shell

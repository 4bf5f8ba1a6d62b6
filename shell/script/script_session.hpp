// What the commands of a scenario work on.
#pragma once

#include "runtime/app.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/script_words.hpp"
#include "shell/script/scripted_input_box.hpp"
#include "shell/sound/hearing.hpp"

#include <iosfwd>
#include <span>

namespace shell {

struct Session {
    rt::App& app;
    ScriptedInputBox& inputBox;
    std::ostream& out;  // print and dump
    const ShotWriter& shot;
    sound::Hearing& hearing;  // what the game sounded like, for `sounds`
    bool fresh = true;  // no line but `seed` and `every-tick` has played yet
};

// The words of one line, the command first.
using Words = std::span<const Word>;

}  // namespace shell

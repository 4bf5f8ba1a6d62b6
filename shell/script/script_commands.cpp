#include "shell/script/script_commands.hpp"

#include "shell/script/input_commands.hpp"
#include "shell/script/round_start.hpp"
#include "shell/script/script_error.hpp"
#include "shell/script/script_values.hpp"
#include "shell/script/state_commands.hpp"
#include "shell/values/state_paths.hpp"
#include "shell/platform_error.hpp"

#include <cstdint>
#include <limits>
#include <string>

namespace shell {

namespace {
// The clock is read back as a Long, so a script cannot move it past that range.
constexpr rt::Millis kLastMoment = std::numeric_limits<rt::Long>::max();

void wait(Session& session, Words words) { session.app.advanceTo(later(session, words[1])); }

// As the loop of a window session that wakes this late: every timer due by then
// ticks once, at the time of waking.
void catchup(Session& session, Words words) { session.app.catchUp(later(session, words[1])); }

void seed(Session& session, Words words) {
    session.app.fixSeed(std::uint32_t(wholeNumberIn(words[1], 0, std::numeric_limits<std::uint32_t>::max())));
}

void everyTick(Session& session, Words) { session.app.setQuietTimersSleep(false); }

void answer(Session& session, Words words) { session.inputBox.answer(words[1].text); }
void cancel(Session& session, Words) { session.inputBox.cancel(); }

void shot(Session& session, Words words) {
    rt::Form& form = knownScreen(session.app, words[1].text);
    if (!session.shot) throw ScriptError("this build of krax cannot draw screens");
    try {
        session.shot(form, words[2].text);
    } catch (const PlatformError& e) {
        throw ScriptError(e.what());
    }
}

struct Command {
    std::string_view name;
    std::size_t fewestWords, mostWords;  // the command included
    std::string_view usage;
    void (*run)(Session&, Words);
};

constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();

constexpr Command kCommands[] = {
    {"wait", 2, 2, "wait MS", wait},
    {"catchup", 2, 2, "catchup MS", catchup},
    {"seed", 2, 2, "seed N", seed},
    {"every-tick", 1, 1, "every-tick", everyTick},
    {"round", 5, kAny, kRoundUsage, round},
    {"click", 2, 5, kClickUsage, click},
    {"move", 4, 6, "move FORM X Y [none|left|right|left+right [SHIFT]]", move},
    {"down", 4, 6, "down FORM X Y [left|right|middle [SHIFT]]", down},
    {"up", 4, 6, "up FORM X Y [left|right|middle [SHIFT]]", up},
    {"key", 2, 2, "key NAME", key},
    {"keypress", 2, 2, "keypress CODE", keypress},
    {"keyup", 2, 3, "keyup CODE [SHIFT]", keyup},
    {"activate", 2, 2, "activate FORM", activate},
    {"answer", 2, 2, "answer TEXT", answer},
    {"cancel", 1, 1, "cancel", cancel},
    {"close", 2, 2, "close FORM", close},
    {"set", 3, 3, "set PATH VALUE", set},
    {"expect", 3, 3, "expect PATH VALUE", expect},
    {"print", 2, kAny, "print PATH ...", print},
    {"dump", 1, 1, "dump", dump},
    {"sounds", 1, kAny, "sounds [NAME ...]", sounds},
    {"shot", 3, 3, "shot FORM FILE", shot},
};
}  // namespace

rt::Millis later(Session& session, const Word& word) {
    const rt::Millis most = kLastMoment - session.app.now();
    const auto ms = word.quoted ? std::nullopt : wholeNumber(word.text);
    if (!ms || *ms < 0 || *ms > most)
        throw ScriptError("expected a whole number of milliseconds from 0 to " + std::to_string(most) + ", not " +
                          written(word));
    return session.app.now() + *ms;
}

void runCommand(Session& session, Words words) {
    for (const Command& command : kCommands) {
        if (command.name != words[0].text) continue;
        if (words.size() < command.fewestWords || words.size() > command.mostWords)
            throw ScriptError("usage: " + std::string(command.usage));
        command.run(session, words);
        // Only these set up how a program plays, not what it does.
        if (command.name != "seed" && command.name != "every-tick") session.fresh = false;
        return;
    }
    throw ScriptError("unknown command " + rt::quoted(words[0].text));
}

}  // namespace shell

#include "shell/script/script_commands.hpp"

#include "shell/script/input_commands.hpp"
#include "shell/script/script_error.hpp"
#include "shell/script/script_values.hpp"
#include "shell/script/state_commands.hpp"
#include "shell/script/state_paths.hpp"
#include "shell/platform_error.hpp"

#include <array>
#include <limits>
#include <string>

namespace shell {

namespace {
// The clock is read back as a Long, so a script cannot move it past that range.
constexpr rt::Millis kLastMoment = std::numeric_limits<rt::Long>::max();

void wait(Session& session, Words words) {
    const rt::Millis most = kLastMoment - session.app.now();
    const auto ms = words[1].quoted ? std::nullopt : wholeNumber(words[1].text);
    if (!ms || *ms < 0 || *ms > most)
        throw ScriptError("expected a whole number of milliseconds from 0 to " + std::to_string(most) + ", not " +
                          written(words[1]));
    session.app.advanceTo(session.app.now() + *ms);
}

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

constexpr std::array<Command, 12> kCommands{{
    {"wait", 2, 2, "wait MS", wait},
    {"click", 2, 5, kClickUsage, click},
    {"move", 4, 4, "move FORM X Y", move},
    {"key", 2, 2, "key NAME", key},
    {"answer", 2, 2, "answer TEXT", answer},
    {"cancel", 1, 1, "cancel", cancel},
    {"close", 2, 2, "close FORM", close},
    {"set", 3, 3, "set PATH VALUE", set},
    {"expect", 3, 3, "expect PATH VALUE", expect},
    {"print", 2, kAny, "print PATH ...", print},
    {"dump", 1, 1, "dump", dump},
    {"shot", 3, 3, "shot FORM FILE", shot},
}};
}  // namespace

void runCommand(Session& session, Words words) {
    for (const Command& command : kCommands) {
        if (command.name != words[0].text) continue;
        if (words.size() < command.fewestWords || words.size() > command.mostWords)
            throw ScriptError("usage: " + std::string(command.usage));
        return command.run(session, words);
    }
    throw ScriptError("unknown command " + rt::quoted(words[0].text));
}

}  // namespace shell

#include "shell/link/round_tape.hpp"

#include "game/rules_version.hpp"
#include "shell/game_start.hpp"
#include "shell/link/line_player.hpp"
#include "shell/link/tape_trim.hpp"
#include "shell/script/script_error.hpp"

namespace shell {

ScreenNames gameScreens() {
    rt::App app;
    setUpGame(app);
    return app.formNames();
}

TapeRules gameTapeRules() { return {game::kRulesVersion, gameScreens().size()}; }

namespace {
// A round's start is refused before anything plays where the `round` line that states
// it is: one that no round can leave.
void checkStart(const Tape& tape, const ScreenNames& screens) {
    if (tape.start.empty()) return;
    try {
        LinePlayer().play(startLine(tape.start, screens));
    } catch (const ScriptError& e) {
        throw LinkError(std::string("the link's round starts where no round can: ") + e.what());
    }
}

Tape neededTape(const SourcePlay& play) { return tapeOf(play, neededSteps(play, gameScreens()), game::kRulesVersion); }
}  // namespace

Tape roundTape(std::istream& script, std::string_view source) { return neededTape(playSource(script, source)); }

std::string roundLink(std::istream& script, std::string_view source, std::string_view site) {
    const SourcePlay play = playSource(script, source);
    const TapeRules rules = gameTapeRules();
    // A round whose inputs alone are too long for a link is not worth the search.
    linkTo(site, tapeOf(play, stepsAlwaysKept(play), game::kRulesVersion), rules);
    const Tape tape = neededTape(play);
    std::string link = linkTo(site, tape, rules);
    // The link must give back the very tape that plays the round.
    if (tapeOfLink(link, rules) != tape) throw LinkError("this round cannot be made a link");
    return link;
}

std::string scriptOfLink(std::string_view link) {
    const Tape tape = tapeOfLink(link, gameTapeRules());
    const ScreenNames screens = gameScreens();
    checkStart(tape, screens);
    std::string script = "# A round from a link; krax --link made it.\n";
    for (const std::string& line : scriptLines(tape, screens)) script += line + '\n';
    return script;
}

}  // namespace shell

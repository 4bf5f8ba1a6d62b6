#include "shell/link/round_tape.hpp"

#include "game/rules_version.hpp"
#include "shell/game_start.hpp"
#include "shell/link/tape_trim.hpp"

namespace shell {

ScreenNames gameScreens() {
    rt::App app;
    setUpGame(app);
    return app.formNames();
}

TapeRules gameTapeRules() { return {game::kRulesVersion, gameScreens().size()}; }

namespace {
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
    std::string script = "# A round from a link; krax --link made it.\n";
    for (const std::string& line : scriptLines(tapeOfLink(link, gameTapeRules()), gameScreens())) script += line + '\n';
    return script;
}

}  // namespace shell

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

Tape roundTape(std::istream& script, std::string_view source) {
    const SourcePlay play = playSource(script, source);
    const ScreenNames screens = gameScreens();
    return tapeOf(play, neededSteps(play, screens), game::kRulesVersion);
}

}  // namespace shell

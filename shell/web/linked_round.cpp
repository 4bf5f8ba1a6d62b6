#include "shell/web/linked_round.hpp"

#include "shell/game_start.hpp"
#include "shell/link/round_tape.hpp"
#include "shell/script/driver.hpp"
#include "shell/sound/hearing.hpp"
#include "shell/web/page_sound.hpp"

#include <emscripten/emscripten.h>

#include <sstream>

namespace shell {

LinkedRound openLink(std::string_view link) {
    const double began = emscripten_get_now();
    LinkedRound round;
    round.script = scriptOfLink(link);
    rt::App app;
    setUpGame(app);
    openGame(app);
    std::istringstream script(round.script);
    std::ostringstream out, err;
    if (playScript(app, script, out, err, {}, "the link") != 0)
        throw LinkError("the link's round does not play: " + err.str().substr(0, err.str().find('\n')));
    round.hits = sound::look(app).hits;
    round.playedMs = emscripten_get_now() - began;
    return round;
}

void PageReplay::keyUp(int keyCode, int) {
    if (keyCode == sound::kMuteKey) krax_sound_switch();
}

}  // namespace shell

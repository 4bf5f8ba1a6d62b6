#include "shell/web/linked_round.hpp"

#include "shell/game_start.hpp"
#include "shell/link/round_tape.hpp"
#include "shell/script/driver.hpp"
#include "shell/sound/hearing.hpp"

#include <emscripten/emscripten.h>

#include <span>
#include <sstream>

namespace shell {

namespace {
// The hits on the game screen as it last stood loaded, after each event and tick: a
// round that ends with the game closed, or on the screen after the game, ends with them.
class HitsSeen : public rt::EventListener {
public:
    int hits = 0;

private:
    void eventBegins(const rt::App&) override {}
    void eventEnded(const rt::App& app, std::span<const rt::HandlerRun>) override {
        const rt::Form* game = app.made("Form2");
        if (game && game->Loaded()) hits = sound::look(app).hits;
    }
    void keyReleased(int) override {}
};
}  // namespace

LinkedRound openLink(std::string_view link) {
    LinkedRound round;
    round.script = scriptOfLink(link);
    const double began = emscripten_get_now();
    rt::App app;
    HitsSeen seen;
    app.setEventListener(&seen);
    setUpGame(app);
    openGame(app);
    std::istringstream script(round.script);
    std::ostringstream out, err;
    if (playScript(app, script, out, err, {}, "the link") != 0)
        throw LinkError("the link's round does not play: " + err.str().substr(0, err.str().find('\n')));
    round.hits = seen.hits;
    round.playedMs = emscripten_get_now() - began;
    return round;
}

}  // namespace shell

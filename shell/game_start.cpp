#include "shell/game_start.hpp"

#include "game/screen_graph.hpp"

namespace shell {

void setUpGame(rt::App& app, std::optional<std::uint32_t> seed) {
    game::defineScreens(app);
    if (seed) app.fixSeed(*seed);
}

void openGame(rt::App& app) { app.start(game::kFirstScreen); }

void startOnSeed(rt::App& app, std::uint32_t seed) {
    setUpGame(app, seed);
    openGame(app);
}

}  // namespace shell

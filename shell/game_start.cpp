#include "shell/game_start.hpp"

#include "game/screen_graph.hpp"

namespace shell {

void setUpGame(rt::App& app, std::optional<std::uint32_t> seed) {
    game::defineScreens(app);
    if (seed) app.fixSeed(*seed);
}

void openGame(rt::App& app) { app.start(game::kFirstScreen); }

std::string_view gameScreen() { return game::kGameScreen; }

std::string_view firstScreen() { return game::kFirstScreen; }

std::string_view buttonToGame(std::string_view screen) {
    for (const game::Move& move : game::kMoves)
        if (move.screen == screen && move.next == gameScreen()) return move.button;
    return {};
}

bool beforeAnyRound(std::string_view screen) {
    if (screen == firstScreen()) return true;
    for (const game::Move& move : game::kMoves)
        if (move.screen == firstScreen() && move.next == screen && screen != gameScreen()) return true;
    return false;
}

void startOnSeed(rt::App& app, std::uint32_t seed) {
    setUpGame(app, seed);
    openGame(app);
}

}  // namespace shell

#include "game/screen_graph.hpp"

#include "game/game_screen.hpp"
#include "screens/screens.hpp"

#include <memory>

namespace game {

namespace {

// The screens in the order the program defines them, and what makes each: the game
// screen has rules of its own, every other one is its layout and buttons alone.
using Maker = std::unique_ptr<rt::Form> (*)(rt::App& app, const rt::FormLayout& layout);

std::unique_ptr<rt::Form> plain(rt::App& app, const rt::FormLayout& layout) {
    return std::make_unique<rt::Form>(app, layout);
}

std::unique_ptr<rt::Form> gameScreen(rt::App& app, const rt::FormLayout&) { return std::make_unique<Form2>(app); }

struct Screen {
    const rt::FormLayout& layout;
    Maker make;
};

const Screen kScreens[] = {
    {screens::Form1, plain},       // menu
    {screens::Form2, gameScreen},  // game
    {screens::Form3, plain},       // results
    {screens::Form4, plain},
    {screens::Form5, plain},
    {screens::Form6, plain},
    {screens::Form7, plain},       // help
    {screens::frmCredits, plain},  // reload
};

void go(rt::App& app, const Move& move) {
    app.form(move.screen).Unload();
    app.form(move.next).Show();
    if (move.enablesNext) app.form(move.next).setEnabled(true);
}

std::unique_ptr<rt::Form> make(rt::App& app, const Screen& screen) {
    std::unique_ptr<rt::Form> form = screen.make(app, screen.layout);
    for (const Move& move : kMoves)
        if (move.screen == screen.layout.name) form->image(move.button).Click = [&app, &move] { go(app, move); };
    return form;
}

}  // namespace

const Band& bandFor(rt::Integer hits) {
    const Band* band = &kBands.front();
    for (const Band& b : kBands)
        if (hits >= b.lowestHits) band = &b;
    return *band;
}

void defineScreens(rt::App& app) {
    for (const Screen& screen : kScreens)
        app.define(screen.layout.name, [&screen](rt::App& a) { return make(a, screen); });
}

}  // namespace game

#include "shell/flow.hpp"

#include "game/form2.hpp"
#include "screens/screens.hpp"

#include <memory>
#include <string_view>

namespace shell {

namespace {

// A button picture and the screen it leads to.
struct Move {
    std::string_view screen;
    const char* button;
    std::string_view next;
    bool enablesNext = false;  // the reload button gives the game screen its input back
};

constexpr Move kMoves[] = {
    {"Form1", "Image5", "Form2"},
    {"Form1", "Image7", "Form7"},
    {"Form7", "Image2", "Form2"},
    {"Form2", "Image10", "Form3"},
    {"Form2", "Image8", "Form4"},
    {"Form2", "Image11", "Form5"},
    {"Form2", "Image12", "Form6"},
    {"Form3", "Image3", "Form2"},
    {"Form4", "Image3", "Form2"},
    {"Form5", "Image3", "Form2"},
    {"Form6", "Image3", "Form2"},
    {"frmCredits", "Image2", "Form2", true},
};

void go(rt::App& app, const Move& move) {
    app.form(move.screen).Unload();
    rt::Form& next = app.form(move.next);
    next.Load();
    next.Show();
    if (move.enablesNext) next.setEnabled(true);
}

std::unique_ptr<rt::Form> make(rt::App& app, const rt::FormLayout& layout) {
    std::unique_ptr<rt::Form> form;
    if (std::string_view(layout.name) == "Form2")
        form = std::make_unique<game::Form2>(app);
    else
        form = std::make_unique<rt::Form>(app, layout);
    for (const Move& move : kMoves)
        if (move.screen == layout.name) form->image(move.button).Click = [&app, &move] { go(app, move); };
    return form;
}

}  // namespace

void defineScreens(rt::App& app) {
    for (const rt::FormLayout* layout : screens::all())
        app.define(layout->name, [layout](rt::App& a) { return make(a, *layout); });
}

void startOnSeed(rt::App& app, std::uint32_t seed) {
    defineScreens(app);
    app.fixSeed(seed);
    app.start(kFirstScreen);
}

}  // namespace shell

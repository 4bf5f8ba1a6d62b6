#include "shell/sound/hearing.hpp"

#include "game/screen_graph.hpp"

#include <algorithm>
#include <utility>

namespace sound {

namespace {

constexpr std::string_view kGameScreen = "Form2";
constexpr std::string_view kReloadScreen = "frmCredits";

int integer(const rt::Form& form, std::string_view name) {
    const auto variable = form.variable(name);
    return variable ? std::get<rt::Var<rt::Integer>*>(*variable)->value() : 0;
}

bool ran(std::span<const rt::HandlerRun> runs, std::string_view form, std::string_view owner, std::string_view event) {
    return std::any_of(runs.begin(), runs.end(), [&](const rt::HandlerRun& run) {
        return run.form->name() == form && run.owner == owner && run.event == event;
    });
}

const game::Move* buttonOf(const rt::HandlerRun& run) {
    if (run.event != "Click") return nullptr;
    for (const game::Move& move : game::kMoves)
        if (move.screen == run.form->name() && move.button == run.owner) return &move;
    return nullptr;
}

// Buttons click; the reload screen's button reloads as well.
void hearButtons(std::span<const rt::HandlerRun> runs, std::vector<Effect>& heard) {
    for (const rt::HandlerRun& run : runs) {
        const game::Move* move = buttonOf(run);
        if (!move) continue;
        heard.push_back(Effect::Click);
        if (move->screen == kReloadScreen) heard.push_back(Effect::Reload);
    }
}

// The round's clock: the last ten seconds tick, and the tick that reaches 0 ends it.
void hearClock(const RoundView& before, const RoundView& after, std::vector<Effect>& heard) {
    if (after.timeLeft == 0) {
        const bool lost = &game::bandFor(after.hits) == &game::kBands.front();
        heard.push_back(lost ? Effect::RoundLost : Effect::RoundWon);
    } else if (after.timeLeft < before.timeLeft && after.timeLeft <= 10) {
        heard.push_back(Effect::Tick);
    }
}

}  // namespace

RoundView look(const rt::App& app) {
    RoundView view;
    if (const rt::Form* reload = app.made(kReloadScreen)) view.reloadShown = reload->Visible();
    const rt::Form* game = app.made(kGameScreen);
    if (!game) return view;
    view.made = true;
    view.hits = integer(*game, "intHits");
    view.bullets = integer(*game, "intBullets");
    view.level = integer(*game, "intLevel");
    view.timeLeft = integer(*game, "intTimeLeft");
    return view;
}

std::vector<Effect> choose(const RoundView& before, const RoundView& after, std::span<const rt::HandlerRun> runs) {
    std::vector<Effect> heard;
    // What no handler did (a tool writing a value) is not the game's doing.
    if (runs.empty()) return heard;
    hearButtons(runs, heard);
    // A round starting resets every value: nothing in that is a shot or a level.
    if (!before.made || !after.made || ran(runs, kGameScreen, "Form", "Load")) return heard;
    if (after.hits == before.hits + 1) heard.push_back(Effect::PigHit);
    if (after.hits == before.hits - 5) heard.push_back(Effect::DogHit);
    if (after.hits == before.hits && after.bullets == before.bullets - 1) heard.push_back(Effect::Throw);
    if (!before.reloadShown && after.reloadShown) heard.push_back(Effect::ReloadScreen);
    // The gun refilled by the R key; a refill by the screen coming back is no reload.
    if (after.bullets > before.bullets && ran(runs, kGameScreen, "Form", "KeyPress")) heard.push_back(Effect::Reload);
    if (after.level > before.level) heard.push_back(Effect::LevelUp);
    if (ran(runs, kGameScreen, "tmrTime", "Timer")) hearClock(before, after, heard);
    return heard;
}

Hearing::Hearing(rt::App& app, bool keepLog) : app_(app), keepLog_(keepLog) { app_.setEventListener(this); }

Hearing::~Hearing() { app_.setEventListener(nullptr); }

void Hearing::eventEnded(const rt::App& app, std::span<const rt::HandlerRun> ran) {
    if (muted_) return;
    for (const Effect effect : choose(before_, look(app), ran)) {
        if (keepLog_) log_.push_back(effect);
        if (sink_) sink_(effect);
    }
}

void Hearing::keyReleased(int keyCode) {
    if (keyCode != kMuteKey) return;
    muted_ = !muted_;
    if (onMuteKey_) onMuteKey_(muted_);
}

}  // namespace sound

#include "game/game_screen.hpp"

#include "screens/screens.hpp"

namespace game {

Form2::Form2(rt::App& app) : rt::Form(app, screens::Form2) {
    bindHandlers();
}

std::array<Form2::HoleControls, kHoles.size()> Form2::makeHoles() const {
    auto controlsOf = [this](const Hole& h) {
        return HoleControls{image(h.target, h.targetIndex), image(h.badge, h.badgeIndex), timer(h.countdown)};
    };
    return {controlsOf(kHoles[0]), controlsOf(kHoles[1]), controlsOf(kHoles[2]), controlsOf(kHoles[3]),
            controlsOf(kHoles[4]), controlsOf(kHoles[5]), controlsOf(kHoles[6]), controlsOf(kHoles[7])};
}

Form2::HoleTicks Form2::makeHoleTicks() {
    auto named = [this](int n) { return rt::Var<rt::Integer>(*this, "intHoleTicks" + std::to_string(n)); };
    return {named(1), named(2), named(3), named(4), named(5), named(6), named(7), named(8)};
}

void Form2::bindHandlers() {
    tmrTime.Tick = [this] { tmrTime_Timer(); };
    tmrBlink.Tick = [this] { tmrBlink_Timer(); };
    tmrVerifyBlink.Tick = [this] { tmrVerifyBlink_Timer(); };
    tmrLevel.Tick = [this] { tmrLevel_Timer(); };
    tmrAppear.Tick = [this] { tmrAppear_Timer(); };
    tmrWin.Tick = [this] { tmrWin_Timer(); };
    tmrBullets.Tick = [this] { tmrBullets_Timer(); };
    for (std::size_t n = 0; n < holes.size(); ++n) {
        holes[n].target.Click = [this, n] { imgP_Click(n); };
        holes[n].countdown.Tick = [this, n] { tmrDisappear_Timer(n); };
    }
}

void Form2::Form_Load() {
    app().Randomize();
    intLevel = 1;
    intTimeLeft = 60;
    intBullets = 6;
    intHits = 0;
    intHitRoll = 10;
    for (auto& ticks : intHoleTicks) ticks = 0;
    tmrTime.setEnabled(false);
}

// Runs whenever the screen becomes the active window: in a running round it only
// refills the gun, since the three timers run already.
void Form2::Form_Activate() {
    tmrTime.setEnabled(true);
    shpTimeBar.setVisible(true);
    lblMTime.setVisible(true);
    lblTime.setVisible(true);
    tmrAppear.setEnabled(true);
    lblLevel.setVisible(true);
    tmrWin.setEnabled(true);
    intBullets = 6;
}

}  // namespace game

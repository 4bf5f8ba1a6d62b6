// Targets coming up and dropping back: the roll, the hole watcher, the countdowns.
#include "game/game_screen.hpp"

namespace game {

namespace {
constexpr int kShownRolls = int(kHoles.size());  // rolls 8 to 10 show nothing
}

void Form2::tmrAppear_Timer() {
    intAppearRoll = rt::CInt(app().Rnd() * 10.0f);
    tmrAppear.setInterval((150 - intHits).value());
    if (intAppearRoll < kShownRolls) holes[std::size_t(intAppearRoll.value())].target.setVisible(true);
}

// Starts the countdown of every shown target; the last shown hole's pace stays.
void Form2::tmrWin_Timer() {
    for (std::size_t n = 0; n < holes.size(); ++n) {
        if (!holes[n].target.Visible()) continue;
        holes[n].countdown.setEnabled(true);
        tmrAppear.setInterval(kHoles[n].pace);
    }
}

// A badge goes at the count of 2, an unshot target at 3; either stops the countdown.
void Form2::tmrDisappear_Timer(std::size_t hole) {
    auto& [target, badge, countdown] = holes[hole];
    auto& ticks = intHoleTicks[hole];
    ticks = ticks + 1;
    if (ticks == 2 && badge.Visible()) {
        ticks = 0;
        countdown.setEnabled(false);
        badge.setVisible(false);
    } else if (ticks == 3 && target.Visible()) {
        target.setVisible(false);
        ticks = 0;
        countdown.setEnabled(false);
    }
}

}  // namespace game

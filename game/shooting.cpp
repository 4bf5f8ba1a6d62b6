// A hit on a shown target: the badge replaces it, the score changes, a carrot goes.
#include "game/game_screen.hpp"

namespace game {

void Form2::imgP_Click(std::size_t hole) {
    auto& [target, badge, countdown] = holes[hole];
    target.setVisible(false);
    badge.setVisible(true);
    intHits = intHits + kHoles[hole].score;
    intHoleTicks[hole] = 0;
    lblHits.setCaption("Hits: " + rt::text(intHits));
    lblHit.setCaption("Your Score is " + rt::text(intHits));
    intBullets = intBullets - 1;  // not tested first: a hit with no carrot still scores
    lblBullets.setCaption("Bullets: " + rt::text(intBullets));
    intHitRoll = rt::CInt(app().Rnd() * 5.0f);
    countdown.setEnabled(true);
    // The reload screen comes only at exactly 0 carrots; this brings a negative count back.
    if (intHitRoll == 1 && intBullets < 0) intBullets = 0;
}

}  // namespace game

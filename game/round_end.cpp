// The end of the round: the playfield is covered and the result shown.
#include "game/game_screen.hpp"
#include "game/screen_graph.hpp"

namespace game {

void Form2::endRound() {
    setEnabled(true);  // the reload screen may have disabled the game screen
    setVisible(true);
    lblHit.setVisible(true);
    Label5.setVisible(true);
    image(bandFor(intHits).button).setVisible(true);
    Image9.setVisible(true);
    tmrTime.setEnabled(false);
    tmrAppear.setEnabled(false);
    tmrWin.setEnabled(false);
}

}  // namespace game

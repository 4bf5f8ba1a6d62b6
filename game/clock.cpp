// The round clock and the time bar, which shrinks 50 twips a second and blinks
// during the last 20 seconds.
#include "game/game_screen.hpp"

namespace game {

// A second off the clock and 50 twips off the bar, as a tick or a miss takes it.
void Form2::loseSecond() {
    intTimeLeft = intTimeLeft - 1;
    shpTimeBar.setWidth(shpTimeBar.rect().width - 50.0f);
    lblTime.setCaption(rt::text(intTimeLeft));
}

void Form2::tmrTime_Timer() {
    if (intTimeLeft > 0) {
        loseSecond();
    } else if (intTimeLeft == 0) {
        lblTime.setCaption("0");
    }
    if (intTimeLeft == 0) endRound();
}

// Writes Enabled on every run; True on the running blink leaves its countdown alone.
void Form2::tmrVerifyBlink_Timer() { tmrBlink.setEnabled(intTimeLeft >= 1 && intTimeLeft <= 20); }

void Form2::tmrBlink_Timer() {
    intBlinkPhase = intBlinkPhase + 1;
    if (intBlinkPhase == 2) intBlinkPhase = 0;
    if (intBlinkPhase == 0) shpTimeBar.setVisible(false);
    if (intBlinkPhase == 1) shpTimeBar.setVisible(true);
}

}  // namespace game

// The hidden code box: the Up arrow asks for a code, and every key release acts on
// the code last entered.
#include "game/game_screen.hpp"

#include <string_view>

namespace game {

void Form2::Form_KeyUp(int keyCode, int) {
    struct Code {
        std::string_view text;
        void (Form2::*effect)();
    };
    static constexpr Code kCodes[] = {
        {"47", &Form2::clockToTen},
        {"Lantern", &Form2::showReloadScreen},
        {"Fig", &Form2::closeGameScreen},
        {"Cobra", &Form2::freezeRound},
    };
    if (keyCode == rt::kKeyUp) strCode = app().InputBox("Enter in the code", "Backdoor");
    for (const Code& code : kCodes) {
        if (strCode.get() != code.text) continue;
        (this->*code.effect)();
        return;
    }
}

void Form2::clockToTen() {
    intTimeLeft = 10;
    lblTime.setCaption(rt::text(intTimeLeft));
    shpTimeBar.setWidth(rt::Single((intTimeLeft * 50).value()));
}

void Form2::showReloadScreen() {
    app().form("Form1").setVisible(false);
    app().form("frmCredits").setVisible(true);
}

void Form2::closeGameScreen() { Unload(); }

// Stands the clock and the rolls still until the screen is next activated.
void Form2::freezeRound() {
    tmrTime.setEnabled(false);
    tmrAppear.setEnabled(false);
    strCode = "";
}

}  // namespace game

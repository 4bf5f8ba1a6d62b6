// The gun: shots on the bare ground, the time they cost, the carrot row and reloading.
#include "game/game_screen.hpp"

namespace game {

void Form2::Form_MouseDown(int button, int, rt::Single, rt::Single) {
    if (button == rt::kLeftButton) intBullets = intBullets - 1;
}

// A click on the bare ground costs a second while more than one is left.
void Form2::Form_Click() {
    if (intTimeLeft > 1) loseSecond();
    flipGun();
}

// The press before the click has spent its shot already: the last shot flips nothing.
void Form2::flipGun() {
    if (intBullets == 0) return;
    if (picGunl1.Visible())
        picGunl1.PaintPicture(picGunfl.Picture());
    else
        picGunr1.PaintPicture(picGunfr.Picture());
}

void Form2::Form_MouseMove(int, int, rt::Single x, rt::Single) {
    const rt::Single half = Width() / 2;
    const bool left = x <= half;
    (left ? picGunr1 : picGunl1).setVisible(false);
    (left ? picGunl1 : picGunr1).setVisible(true);
}

void Form2::Form_KeyPress(int keyAscii) {
    if (keyAscii == rt::kCharR || keyAscii == rt::kCharLowerR) intBullets = 6;
}

void Form2::tmrBullets_Timer() {
    if (intBullets == 0) {
        app().form("frmCredits").Show();
        setEnabled(false);
        intBullets = 6;
    }
    if (intBullets < 0) return;  // the row keeps its last state
    for (std::size_t n = 0; n < bullets.size(); ++n) bullets[n]->setVisible(int(n) < intBullets.value());
}

}  // namespace game

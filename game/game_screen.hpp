// The game screen: the variables of one round and every rule of play. The rules of
// each kind live in their own file: the screen and its round start (game_screen.cpp),
// clock (clock.cpp), end of round (round_end.cpp), levels, targets, shooting, gun,
// code box.
#pragma once

#include "game/holes.hpp"
#include "runtime/app.hpp"
#include "runtime/form.hpp"

#include <array>
#include <string>

namespace game {

class Form2 : public rt::Form {
public:
    explicit Form2(rt::App& app);

    // The round's variables; they live as long as the screen's instance.
    rt::Var<rt::Integer> intLevel{*this, "intLevel"};
    rt::Var<rt::Integer> intTimeLeft{*this, "intTimeLeft"};
    rt::Var<rt::Integer> intAppearRoll{*this, "intAppearRoll"};
    rt::Var<rt::Integer> intBlinkPhase{*this, "intBlinkPhase"};
    rt::Var<rt::Integer> intHits{*this, "intHits"};
    rt::Var<rt::Integer> intBullets{*this, "intBullets"};
    rt::Var<std::string> strCode{*this, "strCode"};
    rt::Var<rt::Integer> intHitRoll{*this, "intHitRoll"};
    using HoleTicks = std::array<rt::Var<rt::Integer>, kHoles.size()>;
    HoleTicks intHoleTicks = makeHoleTicks();  // intHoleTicks1 to 8

    void Form_Load() override;
    void Form_Activate() override;
    void Form_MouseDown(int button, int shift, rt::Single x, rt::Single y) override;
    void Form_Click() override;
    void Form_MouseMove(int button, int shift, rt::Single x, rt::Single y) override;
    void Form_KeyPress(int keyAscii) override;
    void Form_KeyUp(int keyCode, int shift) override;

private:
    struct HoleControls {
        rt::Control& target;
        rt::Control& badge;
        rt::Timer& countdown;
    };
    std::array<HoleControls, kHoles.size()> makeHoles() const;
    HoleTicks makeHoleTicks();
    void bindHandlers();

    void loseSecond();
    void tmrTime_Timer();
    void tmrVerifyBlink_Timer();
    void tmrBlink_Timer();
    void endRound();
    void tmrLevel_Timer();
    void tmrAppear_Timer();
    void tmrWin_Timer();
    void tmrDisappear_Timer(std::size_t hole);
    void imgP_Click(std::size_t hole);
    void flipGun();
    void tmrBullets_Timer();
    void clockToTen();
    void showReloadScreen();
    void closeGameScreen();
    void freezeRound();

    rt::Timer& tmrTime = timer("tmrTime");
    rt::Timer& tmrBlink = timer("tmrBlink");
    rt::Timer& tmrVerifyBlink = timer("tmrVerifyBlink");
    rt::Timer& tmrLevel = timer("tmrLevel");
    rt::Timer& tmrAppear = timer("tmrAppear");
    rt::Timer& tmrWin = timer("tmrWin");
    rt::Timer& tmrBullets = timer("tmrBullets");
    rt::Control& shpTimeBar = shape("shpTimeBar");
    rt::Label& lblMTime = label("lblMTime");
    rt::Label& lblTime = label("lblTime");
    rt::Label& lblHits = label("lblHits");
    rt::Label& lblBullets = label("lblBullets");
    rt::Label& lblLevel = label("lblLevel");
    rt::Label& lblHit = label("lblHit");
    rt::Label& Label5 = label("Label5");
    rt::Control& Image9 = image("Image9");
    rt::PictureBox& picGunl1 = pictureBox("picGunl1");
    rt::PictureBox& picGunr1 = pictureBox("picGunr1");
    rt::PictureBox& picGunfl = pictureBox("picGunfl");
    rt::PictureBox& picGunfr = pictureBox("picGunfr");
    std::array<rt::Control*, 6> bullets{&image("bullet1"), &image("bullet2"), &image("bullet3"),
                                        &image("bullet4"), &image("bullet5"), &image("bullet6")};
    std::array<HoleControls, kHoles.size()> holes = makeHoles();
};

}  // namespace game

// The gun: shots on the bare ground and their cost in time, the carrot row, the
// gun's side and flip, reloading, and the reload screen.
#include "game_fixture.hpp"

namespace {

class Gun : public Game {
protected:
    Gun() {
        startRound();
        stopRolls();
    }
    int carrotsShown() {
        int shown = 0;
        for (const char* b : {"bullet1", "bullet2", "bullet3", "bullet4", "bullet5", "bullet6"})
            shown += at(b).Visible();
        return shown;
    }
    rt::PictureBox& gun(const char* name) { return form2().pictureBox(name); }
    rt::Single bar() { return at("shpTimeBar").rect().width; }
};

TEST_F(Gun, SixPressesOnTheGroundEmptyTheGunAndBringUpTheReloadScreen) {
    wait(10);
    EXPECT_EQ(carrotsShown(), 6);
    for (int shot = 1; shot <= 5; ++shot) {
        clickGround();
        wait(10);
        EXPECT_EQ(carrotsShown(), 6 - shot);
    }
    clickGround();
    EXPECT_EQ(form2().intBullets, 0);
    wait(10);
    EXPECT_EQ(app.ActiveForm(), &app.form("frmCredits"));
    EXPECT_TRUE(form2().Visible());
    EXPECT_FALSE(form2().Enabled());
    EXPECT_EQ(form2().intBullets, 6);
    EXPECT_EQ(carrotsShown(), 6);
    EXPECT_EQ(form2().intTimeLeft, 54);  // every click on the ground cost a second
    clickGround();                       // the game screen takes no input now
    EXPECT_EQ(form2().intBullets, 6);
}

TEST_F(Gun, ReloadReturnsToTheSameRound) {
    form2().intHits = 7;
    form2().intBullets = 0;
    wait(10);
    wait(3000);  // the clock runs on behind the reload screen
    click("frmCredits", "Image2");
    EXPECT_EQ(app.ActiveForm(), &form2());
    EXPECT_TRUE(form2().Enabled());
    EXPECT_FALSE(app.form("frmCredits").Loaded());
    EXPECT_EQ(form2().intHits, 7);
    EXPECT_EQ(form2().intTimeLeft, 57);
    clickGround();
    EXPECT_EQ(form2().intBullets, 5);
}

TEST_F(Gun, ARightClickCostsASecondAndFlipsTheGunButSpendsNoShot) {
    clickGround(rt::kRightButton);
    EXPECT_EQ(form2().intBullets, 6);
    EXPECT_EQ(form2().intTimeLeft, 59);
    EXPECT_EQ(bar(), 3069 - 50);
    EXPECT_EQ(label("lblTime").Caption(), "59");
    EXPECT_STREQ(gun("picGunl1").painted(), "gifGunLeft");
}

TEST_F(Gun, TheShotThatEmptiesTheGunFlipsNothing) {
    form2().intBullets = 1;
    clickGround();
    EXPECT_EQ(form2().intBullets, 0);
    EXPECT_EQ(gun("picGunl1").painted(), nullptr);
}

TEST_F(Gun, TheFlipPaintsTheRightGunWhenItIsShown) {
    app.mouseMove(form2(), 4000, 7800, 0, 0);
    clickGround();
    EXPECT_STREQ(gun("picGunr1").painted(), "gifGunRight");
    EXPECT_EQ(gun("picGunl1").painted(), nullptr);
}

TEST_F(Gun, TheBackdropAwayFromTargetsTakesNoShotAndNoTime) {
    clickAt(form2(), 1000, 3000);
    EXPECT_EQ(form2().intBullets, 6);
    EXPECT_EQ(form2().intTimeLeft, 60);
    EXPECT_EQ(gun("picGunl1").painted(), nullptr);
}

TEST_F(Gun, TheLastSecondIsNeverTakenByAClick) {
    form2().intTimeLeft = 2;
    clickGround();
    EXPECT_EQ(form2().intTimeLeft, 1);
    const rt::Single width = bar();
    clickGround();
    EXPECT_EQ(form2().intTimeLeft, 1);
    EXPECT_EQ(bar(), width);
}

TEST_F(Gun, TheGunSideSplitsAtHalfTheOuterWidth) {
    const rt::Single half = form2().Width() / 2;
    ASSERT_EQ(half, 3465);
    app.mouseMove(form2(), half + 1, 7800, 0, 0);
    EXPECT_TRUE(gun("picGunr1").Visible());
    EXPECT_FALSE(gun("picGunl1").Visible());
    app.mouseMove(form2(), half, 7800, 0, 0);
    EXPECT_TRUE(gun("picGunl1").Visible());
    EXPECT_FALSE(gun("picGunr1").Visible());
    app.mouseMove(form2(), half + 1, 3000, 0, 0);  // over the backdrop: no move reaches the screen
    EXPECT_TRUE(gun("picGunl1").Visible());
}

TEST_F(Gun, ShowingAGunAgainRepaintsItsOwnPicture) {
    clickGround(rt::kRightButton);
    app.mouseMove(form2(), 4000, 7800, 0, 0);
    app.mouseMove(form2(), 1000, 7800, 0, 0);
    EXPECT_EQ(gun("picGunl1").painted(), nullptr);
}

TEST_F(Gun, RReloadsAtAnyTime) {
    form2().intBullets = 3;
    wait(10);
    EXPECT_EQ(carrotsShown(), 3);
    key('R', 'r');
    EXPECT_EQ(form2().intBullets, 6);
    wait(10);
    EXPECT_EQ(carrotsShown(), 6);
    form2().intBullets = 2;
    key('R', 'R');
    EXPECT_EQ(form2().intBullets, 6);
    key('T', 't');
    EXPECT_EQ(form2().intBullets, 6);
}

TEST_F(Gun, BelowZeroTheRowKeepsItsLastState) {
    form2().intBullets = 1;
    wait(10);
    app.mouseDown(form2(), 3000, 7800, rt::kLeftButton, 0);  // two presses within one tick
    app.mouseDown(form2(), 3000, 7800, rt::kLeftButton, 0);
    wait(100);
    EXPECT_EQ(form2().intBullets, -1);
    EXPECT_EQ(carrotsShown(), 1);
    EXPECT_TRUE(form2().Enabled());
}

TEST_F(Gun, AtTheBottomOfTheIntegerRangeAPressIsRefusedAndTheRoundGoesOn) {
    form2().intBullets = -32768;
    clickGround();
    EXPECT_EQ(form2().intBullets, -32768);
    EXPECT_EQ(errors.str(), "krax: Overflow in Form2.Form_MouseDown\n");
    EXPECT_EQ(form2().intTimeLeft, 59);  // the click itself still counts
    wait(1000);
    EXPECT_EQ(form2().intTimeLeft, 58);
    key('R', 'r');
    EXPECT_EQ(form2().intBullets, 6);
}

}  // namespace

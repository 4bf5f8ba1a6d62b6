// The hidden code box behind the Up arrow and its four codes.
#include "game_fixture.hpp"

namespace {

class CodeBox : public Game {
protected:
    CodeBox() {
        startRound();
        stopRolls();
    }
    void enter(std::optional<std::string> code) {
        answers.queue.push_back(std::move(code));
        key(kUp);
    }
    void anyKey() { key('A', 'a'); }
};

TEST_F(CodeBox, TheClockCodeActsAtOnceAndOnEveryLaterKeyRelease) {
    enter("47");
    EXPECT_EQ(form2().strCode, "47");
    EXPECT_EQ(form2().intTimeLeft, 10);
    EXPECT_EQ(label("lblTime").Caption(), "10");
    EXPECT_EQ(at("shpTimeBar").rect().width, 500);
    wait(10);
    EXPECT_TRUE(timer("tmrBlink").Enabled());
    wait(3000);
    EXPECT_EQ(at("shpTimeBar").rect().width, 350);
    anyKey();
    EXPECT_EQ(form2().intTimeLeft, 10);
    EXPECT_EQ(at("shpTimeBar").rect().width, 500);
}

TEST_F(CodeBox, AfterTheClockCodeTheBarEmptiesWithTheClock) {
    enter("47");
    wait(10000);
    EXPECT_EQ(form2().intTimeLeft, 0);
    EXPECT_EQ(at("shpTimeBar").rect().width, 0);
    EXPECT_TRUE(at("Label5").Visible());
}

TEST_F(CodeBox, CancelDisarmsAnArmedCode) {
    enter("47");
    enter(std::nullopt);
    EXPECT_EQ(form2().strCode, "");
    wait(2000);
    anyKey();
    EXPECT_EQ(form2().intTimeLeft, 8);
}

TEST_F(CodeBox, CodesMatchExactly) {
    for (const char* wrong : {"lantern", "47 ", " 47", "FIG", "cobra", "Cobra!"}) {
        enter(wrong);
        EXPECT_EQ(form2().intTimeLeft, 60) << wrong;
        EXPECT_TRUE(form2().Loaded()) << wrong;
        EXPECT_TRUE(timer("tmrTime").Enabled()) << wrong;
        EXPECT_FALSE(app.form("frmCredits").Visible()) << wrong;
    }
}

TEST_F(CodeBox, TheFreezeCodeActsOnce) {
    timer("tmrAppear").setEnabled(true);
    enter("Cobra");
    EXPECT_EQ(form2().strCode, "");
    EXPECT_FALSE(timer("tmrTime").Enabled());
    EXPECT_FALSE(timer("tmrAppear").Enabled());
    wait(5000);
    EXPECT_EQ(form2().intTimeLeft, 60);
    // Shooting and reloading still work.
    clickGround();
    EXPECT_EQ(form2().intBullets, 5);
    key('R', 'r');
    EXPECT_EQ(form2().intBullets, 6);
}

TEST_F(CodeBox, TheFreezeLastsUntilTheScreenIsActivatedAgain) {
    enter("Cobra");
    app.form("frmCredits").Show();
    clickGround();  // brings the game screen to the front: a new activation
    EXPECT_TRUE(timer("tmrTime").Enabled());
    EXPECT_TRUE(timer("tmrAppear").Enabled());
}

TEST_F(CodeBox, TheReloadCodeShowsTheReloadScreenAndHidesTheMenu) {
    enter("Lantern");
    EXPECT_TRUE(app.form("Form1").Loaded());
    EXPECT_FALSE(app.form("Form1").Visible());
    EXPECT_TRUE(app.form("frmCredits").Visible());
    EXPECT_EQ(app.ActiveForm(), &app.form("frmCredits"));
    EXPECT_TRUE(form2().Enabled());
    click("frmCredits", "Image2");
    EXPECT_EQ(app.ActiveForm(), &form2());
    EXPECT_TRUE(form2().Enabled());
}

TEST_F(CodeBox, TheCloseCodeUnloadsTheGameScreenUntilAnotherCodeIsEntered) {
    app.form("frmCredits").Show();
    app.activate(form2());
    enter("Fig");
    EXPECT_FALSE(form2().Loaded());
    EXPECT_TRUE(app.Running());  // the reload screen is still up
    click("frmCredits", "Image2");
    ASSERT_TRUE(form2().Loaded());
    EXPECT_EQ(form2().intTimeLeft, 60);  // loaded again: a fresh round
    anyKey();
    EXPECT_FALSE(form2().Loaded());
    EXPECT_FALSE(app.Running());  // nothing is shown any more
}

TEST_F(CodeBox, TheCloseCodeEndsTheProgramWhenNothingElseIsShown) {
    enter("Fig");
    EXPECT_FALSE(app.Running());
}

TEST_F(CodeBox, NoKeyReachesTheGameScreenBehindTheReloadScreen) {
    enter("47");
    form2().intBullets = 0;
    wait(10);
    ASSERT_FALSE(form2().Enabled());
    app.activate(form2());  // even made active, a disabled screen takes no keys
    wait(2000);
    anyKey();
    EXPECT_EQ(form2().intTimeLeft, 8);
}

}  // namespace

// Moving between the screens by their buttons.
#include "game_fixture.hpp"

namespace {

using ScreenGraph = Game;

TEST_F(ScreenGraph, TheProgramOpensOnTheMenu) {
    EXPECT_EQ(app.ActiveForm(), &app.form("Form1"));
    EXPECT_FALSE(form2().Loaded());
}

TEST_F(ScreenGraph, HelpLeadsIntoTheGame) {
    click("Form1", "Image7");
    EXPECT_EQ(app.ActiveForm(), &app.form("Form7"));
    EXPECT_FALSE(app.form("Form1").Loaded());
    click("Form7", "Image2");
    EXPECT_EQ(app.ActiveForm(), &form2());
    EXPECT_FALSE(app.form("Form7").Loaded());
    EXPECT_TRUE(timer("tmrTime").Enabled());
}

TEST_F(ScreenGraph, PlayAgainStartsAFreshRoundWhateverTheLastOneLeft) {
    startRound();
    wait(20000);
    form2().intHits = 95;
    form2().intBullets = 2;
    form2().intHoleTicks[3] = 2;
    form2().strCode = "Lantern";
    form2().intTimeLeft = 1;
    wait(1000);
    click("Form2", "Image11");
    ASSERT_TRUE(app.form("Form5").Visible());
    click("Form5", "Image3");
    EXPECT_EQ(app.ActiveForm(), &form2());
    EXPECT_EQ(form2().intTimeLeft, 60);
    EXPECT_EQ(form2().intHits, 0);
    EXPECT_EQ(form2().intBullets, 6);
    EXPECT_EQ(form2().intLevel, 1);
    EXPECT_EQ(form2().intHoleTicks[3], 0);
    EXPECT_EQ(form2().strCode, "Lantern");  // not reset by a new round
    EXPECT_EQ(at("shpTimeBar").rect().width, 3069);
    EXPECT_FALSE(at("Label5").Visible());
    EXPECT_FALSE(at("Image11").Visible());
    EXPECT_EQ(label("lblTime").Caption(), "0");
    EXPECT_EQ(label("lblHits").Caption(), "Hits: 0");
}

TEST_F(ScreenGraph, TheContinueButtonsAreHiddenDuringTheRound) {
    startRound();
    click("Form2", "Image8");  // lands on the ground behind the hidden button
    EXPECT_TRUE(form2().Loaded());
    EXPECT_EQ(form2().intTimeLeft, 59);
}

TEST_F(ScreenGraph, TheReloadScreenOpenedByTheCodeBoxClosesOnReload) {
    startRound();
    app.form("frmCredits").Show();  // as the reload code does, leaving the game enabled
    click("frmCredits", "Image2");
    EXPECT_EQ(app.ActiveForm(), &form2());
    EXPECT_TRUE(form2().Enabled());
    EXPECT_FALSE(app.form("frmCredits").Loaded());
}

TEST_F(ScreenGraph, ClosingTheLastWindowEndsTheProgram) {
    startRound();
    app.closeBox(form2());
    EXPECT_FALSE(app.Running());
}

}  // namespace

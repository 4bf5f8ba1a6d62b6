// A round from its start to its result: the clock, the time bar and its blink, and
// the end of the round with the Continue button of the score band.
#include "game_fixture.hpp"

#include <vector>

namespace {

class Round : public Game {
protected:
    rt::Single bar() { return at("shpTimeBar").rect().width; }
    bool blinking() { return timer("tmrBlink").Enabled(); }
    // Ends the round on the next clock tick.
    void endRound(int hits) {
        form2().intHits = hits;
        form2().intTimeLeft = 1;
        wait(1000);
    }
};

TEST_F(Round, StartsWhenTheGameScreenIsActivated) {
    startRound();
    EXPECT_EQ(app.ActiveForm(), &form2());
    EXPECT_TRUE(form2().Visible());
    EXPECT_FALSE(app.form("Form1").Loaded());
    EXPECT_EQ(form2().intTimeLeft, 60);
    EXPECT_EQ(label("lblTime").Caption(), "0");  // until the first tick
    for (const char* name : {"tmrTime", "tmrAppear", "tmrWin", "tmrLevel", "tmrVerifyBlink", "tmrBullets"})
        EXPECT_TRUE(timer(name).Enabled()) << name;
    EXPECT_TRUE(at("shpTimeBar").Visible());
    EXPECT_TRUE(at("lblLevel").Visible());
    wait(1000);
    EXPECT_EQ(label("lblTime").Caption(), "59");
}

TEST_F(Round, TheClockCountsDownAndTheBarBlinksInTheLastTwentySeconds) {
    startRound();
    for (int left = 59; left >= 1; --left) {
        app.advanceTo(1000 * (60 - left));  // the blink switch ticks in the same moment
        ASSERT_EQ(label("lblTime").Caption(), std::to_string(left));
        ASSERT_EQ(bar(), rt::Single(69 + 50 * left));
        ASSERT_EQ(blinking(), left <= 20) << left << " seconds left";
    }
    app.advanceTo(60000);
    EXPECT_EQ(label("lblTime").Caption(), "0");
    EXPECT_EQ(form2().intTimeLeft, 0);
    EXPECT_EQ(bar(), 69);
    EXPECT_FALSE(blinking());
    EXPECT_TRUE(at("Label5").Visible());
}

TEST_F(Round, TheBlinkShowsAndHidesTheBarEvery50Milliseconds) {
    startRound();
    form2().intTimeLeft = 20;
    wait(10);
    ASSERT_TRUE(blinking());
    std::vector<rt::Millis> changes;
    for (bool was = at("shpTimeBar").Visible(); app.now() < 2000; wait(10)) {
        if (at("shpTimeBar").Visible() != was) changes.push_back(app.now());
        was = at("shpTimeBar").Visible();
    }
    ASSERT_GE(changes.size(), 30u);
    for (std::size_t i = 1; i < changes.size(); ++i) EXPECT_EQ(changes[i] - changes[i - 1], 50);
}

TEST_F(Round, APenaltyAtTwentyOneSecondsStartsTheBlink) {
    startRound();
    stopRolls();
    form2().intTimeLeft = 21;
    wait(10);
    EXPECT_FALSE(blinking());
    clickGround();
    wait(10);
    EXPECT_EQ(form2().intTimeLeft, 20);
    EXPECT_TRUE(blinking());
}

TEST_F(Round, TheEndCoversThePlayfieldAndStopsTheRound) {
    startRound();
    endRound(0);
    EXPECT_EQ(label("lblTime").Caption(), "0");
    for (const char* shown : {"lblHit", "Label5", "Image8", "Image9"}) EXPECT_TRUE(at(shown).Visible()) << shown;
    EXPECT_EQ(label("lblHit").Caption(), "Your Score is");
    for (const char* stopped : {"tmrTime", "tmrAppear", "tmrWin"}) EXPECT_FALSE(timer(stopped).Enabled()) << stopped;
    for (const char* running : {"tmrLevel", "tmrVerifyBlink", "tmrBullets"}) EXPECT_TRUE(timer(running).Enabled());
}

TEST_F(Round, TheScoreBandPicksTheContinueButtonAndItsResultScreen) {
    struct Case {
        int hits;
        const char* button;
        const char* result;
    };
    const Case cases[] = {{-5, "Image8", "Form4"},   {70, "Image8", "Form4"},    {71, "Image10", "Form3"},
                          {90, "Image10", "Form3"},  {91, "Image11", "Form5"},   {120, "Image11", "Form5"},
                          {121, "Image12", "Form6"}, {32767, "Image12", "Form6"}};
    startRound();
    for (const Case& c : cases) {
        endRound(c.hits);
        for (const char* b : {"Image8", "Image10", "Image11", "Image12"})
            EXPECT_EQ(at(b).Visible(), std::string_view(b) == c.button) << c.hits << " hits, " << b;
        click("Form2", c.button);
        EXPECT_EQ(app.ActiveForm(), &app.form(c.result)) << c.hits << " hits";
        EXPECT_FALSE(form2().Loaded());
        click(c.result, "Image3");  // Play Again
    }
}

TEST_F(Round, ATickAfterTheEndKeepsTheClockAtZeroAndEndsAgain) {
    startRound();
    endRound(80);
    const rt::Single width = bar();
    app.form("frmCredits").Show();
    form2().intHits = 100;
    clickAt(form2(), 3000, 7800);  // activates the game screen again, restarting its clock
    EXPECT_TRUE(timer("tmrTime").Enabled());
    wait(1000);
    EXPECT_EQ(form2().intTimeLeft, 0);
    EXPECT_EQ(label("lblTime").Caption(), "0");
    EXPECT_EQ(bar(), width);
    EXPECT_TRUE(at("Image10").Visible());  // shown before, and stays
    EXPECT_TRUE(at("Image11").Visible());
    EXPECT_FALSE(timer("tmrTime").Enabled());
}

TEST_F(Round, TheEndMakesTheGameScreenClickableUnderTheReloadScreen) {
    startRound();
    stopRolls();
    form2().intBullets = 0;
    wait(10);
    ASSERT_EQ(app.ActiveForm(), &app.form("frmCredits"));
    ASSERT_FALSE(form2().Enabled());
    form2().intTimeLeft = 1;
    wait(1000);
    EXPECT_TRUE(form2().Enabled());
    EXPECT_TRUE(app.form("frmCredits").Visible());
    click("Form2", "Image8");
    EXPECT_TRUE(app.form("Form4").Visible());
}

}  // namespace

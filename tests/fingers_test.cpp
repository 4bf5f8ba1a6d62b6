// Fingers on the game screen, as the browser's touches reach the game: each finger a
// press where it lands, the latest finger the mouse, a swipe up the Up key.
#include "game_fixture.hpp"
#include "screens/screens.hpp"
#include "runtime/value.hpp"
#include "shell/script/recorder.hpp"
#include "shell/web/fingers.hpp"

#include <sstream>
#include <string>
#include <vector>

namespace {

class Touch : public Game {
protected:
    Touch() {
        startRound();
        stopRolls();
    }
    rt::Single swipe() const { return screens::Form2.clientHeight / 4; }
    bool gunOnTheRight() { return at("picGunr1").Visible() && !at("picGunl1").Visible(); }

    shell::LiveInput input{app};  // the page's, feeding the game as it is
    shell::Fingers fingers{swipe()};
    // Bare ground, left of the tractor, on either side of the gun's half-way mark.
    static constexpr rt::Single kLeftX = 3000, kRightX = 3700, kGroundY = 7800;
};

TEST_F(Touch, TheShotFiresWhenTheFingerLandsAndTheClickWhenItLifts) {
    fingers.down(input, form2(), 1, kLeftX, kGroundY);
    EXPECT_EQ(form2().intBullets, 5);
    EXPECT_EQ(form2().intTimeLeft, 60);
    wait(1200);  // a long hold spends nothing more; the clock takes its second
    EXPECT_EQ(form2().intBullets, 5);
    EXPECT_EQ(form2().intTimeLeft, 59);
    fingers.up(input, 1, kLeftX, kGroundY);
    EXPECT_EQ(form2().intBullets, 5);
    EXPECT_EQ(form2().intTimeLeft, 58);  // the click on the ground costs its second
}

TEST_F(Touch, TheGunTurnsToWhereTheFingerLandsAndFollowsItsDrag) {
    fingers.down(input, form2(), 1, kRightX, kGroundY);
    EXPECT_TRUE(gunOnTheRight());
    fingers.move(input, 1, kLeftX, kGroundY);
    EXPECT_FALSE(gunOnTheRight());
    fingers.up(input, 1, kLeftX, kGroundY);
}

TEST_F(Touch, ASecondFingerIsANewPressAndTheFirstCountsNoMore) {
    fingers.down(input, form2(), 1, kLeftX, kGroundY);
    fingers.down(input, form2(), 2, kRightX, kGroundY);
    EXPECT_EQ(form2().intBullets, 4);
    EXPECT_EQ(form2().intTimeLeft, 59);  // the first finger's press came up: its click
    EXPECT_TRUE(gunOnTheRight());

    fingers.move(input, 1, kLeftX, kGroundY);
    EXPECT_TRUE(gunOnTheRight());
    fingers.up(input, 1, kLeftX, kGroundY);
    EXPECT_EQ(form2().intTimeLeft, 59);
    fingers.up(input, 2, kRightX, kGroundY);
    EXPECT_EQ(form2().intTimeLeft, 58);
}

TEST_F(Touch, ASwipeUpByAQuarterOfTheScreenOpensTheCodeBox) {
    answers.queue.push_back("47");
    fingers.down(input, form2(), 1, kLeftX, kGroundY);
    fingers.move(input, 1, kLeftX, kGroundY - swipe() / 2);
    fingers.up(input, 1, kLeftX, kGroundY - swipe());
    EXPECT_EQ(form2().strCode, "47");
    EXPECT_EQ(form2().intTimeLeft, 10);
    EXPECT_EQ(form2().intBullets, 5);  // it started as a press on the ground
}

TEST_F(Touch, ACancelledFingerLetsTheButtonGoAndAnyOtherFingerDoesNot) {
    fingers.down(input, form2(), 1, kLeftX, kGroundY);
    fingers.cancel(input, 2);
    fingers.up(input, 2, kLeftX, kGroundY);
    EXPECT_EQ(form2().intTimeLeft, 60);
    fingers.cancel(input, 1);
    EXPECT_EQ(form2().intTimeLeft, 59);  // its click on the ground
}

TEST_F(Touch, ALiftedFingerCountsNoMore) {
    fingers.down(input, form2(), 1, kLeftX, kGroundY);
    fingers.up(input, 1, kLeftX, kGroundY);
    fingers.move(input, 1, kRightX, kGroundY);
    EXPECT_FALSE(gunOnTheRight());
}

TEST_F(Touch, ShorterSwipesSidewaysOnesAndCancelledOnesOpenNothing) {
    answers.queue.push_back("47");
    fingers.down(input, form2(), 1, kLeftX, kGroundY);
    fingers.up(input, 1, kLeftX, kGroundY - swipe() + 15);
    fingers.down(input, form2(), 2, kLeftX, kGroundY);
    fingers.up(input, 2, kLeftX + 2 * swipe(), kGroundY);
    fingers.down(input, form2(), 3, kLeftX, kGroundY);
    fingers.move(input, 3, kLeftX, kGroundY - swipe());
    fingers.cancel(input, 3);
    EXPECT_EQ(answers.queue.size(), 1U);
    EXPECT_EQ(form2().strCode, "");
}

// A recording of the page is played again by the driver, which knows only the mouse:
// a touch must read as the plain left button, moved there first, with no Shift.
TEST_F(Touch, ARecordedSwipeReadsAsTheLeftButtonAndTheUpKeyWithoutShift) {
    std::ostringstream script, recorderErrors;
    shell::Recorder recorder{app, {&script, "touch.script", nullptr}, recorderErrors};
    fingers.down(recorder, form2(), 1, kLeftX, kGroundY);
    fingers.move(recorder, 1, kLeftX, kGroundY - 100);
    fingers.up(recorder, 1, kLeftX, kGroundY - swipe());
    std::vector<std::string> events;
    std::istringstream lines(script.str());
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with("move") || line.starts_with("down") || line.starts_with("up") || line.starts_with("key"))
            events.push_back(line);
    const std::vector<std::string> expected{"move Form2 3000 7800", "down Form2 3000 7800", "move Form2 3000 7700 left",
                                            "up Form2 3000 " + rt::format(kGroundY - swipe()), "keyup 38"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(recorderErrors.str(), "");
}

// A press comes up where the finger last was: a finger that leaves a button before it
// lifts, or before the browser takes it over, clicks nothing.
using FingersOnTheMenu = Game;

TEST_F(FingersOnTheMenu, AFingerThatLeavesAButtonClicksNothing) {
    shell::Fingers fingers{screens::Form2.clientHeight / 4};
    shell::LiveInput input{app};
    const rt::Rect& start = app.form("Form1").control("Image5").rect();
    const rt::Single x = start.left + start.width / 2, y = start.top + start.height / 2;
    const rt::Single offX = start.left - 500, offY = start.top + start.height + 100;  // bare menu
    fingers.down(input, app.form("Form1"), 1, x, y);
    fingers.up(input, 1, offX, y);
    fingers.down(input, app.form("Form1"), 1, x, y);
    fingers.up(input, 1, x, offY);
    fingers.down(input, app.form("Form1"), 1, x, y);
    fingers.move(input, 1, offX, y);
    fingers.cancel(input, 1);
    fingers.down(input, app.form("Form1"), 1, x, y);
    fingers.move(input, 1, x, offY);
    fingers.cancel(input, 1);
    EXPECT_FALSE(form2().Loaded());
    fingers.down(input, app.form("Form1"), 1, x, y);
    fingers.up(input, 1, x, y);
    EXPECT_TRUE(form2().Visible());
}

}  // namespace

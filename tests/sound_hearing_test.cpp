// What the game sounds like, event by event, on the virtual clock: each row a few
// lines of a scenario and the sounds they make, checked by the driver's `sounds` line.
#include "shell/game_start.hpp"
#include "shell/script/driver.hpp"
#include "shell/sound/hearing.hpp"
#include "timer_mode.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// A round under way at 1 s, no target coming up by chance.
const std::string kRound =
    "click Form1.Image5\n"
    "set Form2.tmrAppear.Enabled False\n"
    "wait 1000\n"
    "sounds click\n";
const std::string kGround = "click Form2 3000 7800\n";
const std::string kPig = "set Form2.imgP2(2).Visible True\nclick Form2.imgP2(2)\n";
const std::string kDog = "set Form2.imgP6(3).Visible True\nclick Form2.imgP6(3)\n";

struct Row {
    std::string name;
    std::string script;
    std::string heard;  // the `sounds` line's names
};

const std::vector<Row> kRows = {
    {"a pig hit", kRound + kPig, "pig"},
    {"values a script sets, which no handler changed",
     kRound + "set Form2.intHits 1\nset Form2.intBullets 5\nset Form2.intLevel 2\n", ""},
    {"a press on the bare ground", kRound + kGround, "throw"},
    {"a right click on the ground, which spends no carrot", kRound + "click Form2 3000 7800 right\n", ""},
    {"a dog hit", kRound + kDog, "dog"},
    {"R with carrots spent", kRound + kGround + "sounds throw\nkey R\n", "reload"},
    {"R with a full gun", kRound + "key r\n", ""},
    {"the code 47 and the keys after it", kRound + "answer 47\nkey Up\nkey Left\nwait 500\n", ""},
    {"the last carrot", kRound + "set Form2.intBullets 1\n" + kGround + "wait 10\n", "throw empty"},
    {"a shot and the reload screen in one catch-up",
     kRound + "set Form2.intBullets 1\ndown Form2 3000 7800\nup Form2 3000 7800\ncatchup 30\n", "throw empty"},
    {"the Reload button, and the refill of the screen coming back",
     kRound + "set Form2.intBullets 1\n" + kGround + "wait 10\nsounds throw empty\nclick frmCredits.Image2\nwait 10\n",
     "click reload"},
    {"the code that raises the reload screen", kRound + "answer Lantern\nkey Up\n", "empty"},
    {"a level reached", kRound + "set Form2.intHits 11\nwait 10\n" + kPig + "wait 10\n", "pig level"},
    {"a dog lowering the level",
     kRound + "set Form2.intHits 22\nwait 10\nsounds level\n" + kDog + "wait 10\nexpect Form2.intLevel 3\n", "dog"},
    {"the last ten seconds",
     kRound + "set Form2.intTimeLeft 12\nwait 1000\nsounds\nwait 2000\nexpect Form2.intTimeLeft 9\n", "tick tick"},
    {"a lost round", kRound + "set Form2.intTimeLeft 1\nwait 1000\n", "lost"},
    {"a won round", kRound + "set Form2.intHits 71\nwait 10\nsounds level\nset Form2.intTimeLeft 1\nwait 1000\n", "won"},
    {"Continue and Play Again, and the new round's start",
     kRound + "set Form2.intHits -1\nset Form2.intTimeLeft 1\nwait 1000\nsounds lost\nclick Form2.Image8\n"
              "click Form4.Image3\nwait 1000\n",
     "click click"},
    {"Help and its Start", "click Form1.Image7\nclick Form7.Image2\n", "click click"},
    {"M, off and on again, on any screen",
     kRound + "key M\n" + kGround + "sounds\nkey M\n" + kGround + "set Form2.intBullets 0\nwait 10\nkey M\n"
              "click frmCredits.Image2\nkey M\n" + kGround,
     "throw empty throw"},
};

int play(const std::string& script, std::string& err) {
    rt::App app;
    useTimerMode(app);
    std::ostringstream out, errors;
    app.setErrorStream(errors);
    shell::startOnSeed(app, 1);
    std::istringstream in(script);
    const int status = shell::playScript(app, in, out, errors);
    err = errors.str();
    return status;
}

TEST(SoundHearing, EachEventMakesItsOwnSounds) {
    for (const Row& row : kRows) {
        std::string err;
        EXPECT_EQ(play(row.script + "sounds " + row.heard + "\n", err), 0) << row.name << ":\n" << err;
    }
}

TEST(SoundHearing, TheSoundsLineNamesWhatDiffered) {
    std::string err;
    EXPECT_EQ(play(kRound + kPig + "sounds dog\n", err), 1);
    EXPECT_NE(err.find("expected sounds dog, got pig"), std::string::npos) << err;
    EXPECT_EQ(play(kRound + "sounds bang\n", err), 2);
    EXPECT_NE(err.find("no sound is called bang"), std::string::npos) << err;
}

TEST(SoundHearing, PlaysIntoItsSinkAndTellsOfTheMuteKey) {
    rt::App app;
    useTimerMode(app);
    shell::startOnSeed(app, 1);
    sound::Hearing hearing(app, false);
    std::vector<sound::Effect> played;
    std::vector<bool> told;
    hearing.setSink([&](sound::Effect effect) { played.push_back(effect); });
    hearing.setOnMuteKey([&](bool muted) { told.push_back(muted); });

    app.form("Form1").image("Image5").Click();
    app.keyUp(sound::kMuteKey, 0);
    app.advanceTo(1000);
    app.keyUp(sound::kMuteKey, 0);
    EXPECT_EQ(told, (std::vector<bool>{true, false}));
    EXPECT_TRUE(hearing.takeHeard().empty()) << "no log was asked for";
    EXPECT_TRUE(played.empty()) << "a click outside any event is not the player's";
}

// The sink is where a backend's mixer or the page's audio gets what the player hears.
TEST(SoundHearing, PlaysEachEffectIntoItsSinkWhileNotMuted) {
    rt::App app;
    useTimerMode(app);
    shell::startOnSeed(app, 1);
    sound::Hearing hearing(app, false);
    std::vector<sound::Effect> played;
    hearing.setSink([&](sound::Effect effect) { played.push_back(effect); });
    const rt::Rect& start = app.form("Form1").control("Image5").rect();
    const rt::Single x = start.left + start.width / 2, y = start.top + start.height / 2;
    app.mouseDown(app.form("Form1"), x, y, rt::kLeftButton, 0);
    app.mouseUp(app.form("Form1"), x, y, rt::kLeftButton, 0);
    EXPECT_EQ(played, std::vector<sound::Effect>{sound::Effect::Click});
    hearing.setMuted(true);
    app.mouseDown(app.form("Form2"), 3000, 7800, rt::kLeftButton, 0);
    EXPECT_EQ(played.size(), 1u) << "a carrot thrown while muted";
    hearing.setMuted(false);
    app.mouseDown(app.form("Form2"), 3000, 7800, rt::kLeftButton, 0);
    EXPECT_EQ(played.back(), sound::Effect::Throw);
}

}  // namespace

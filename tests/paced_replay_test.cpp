// A script replayed in the windows, without the windows: the replay driven as the
// window loop drives it, waking when it asks to.
#include "shell/game_start.hpp"
#include "shell/script/replay.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/paced_script.hpp"
#include "shell/script/state_dump.hpp"
#include "shell/sound/hearing.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The windows' input box, noting what a replay shows in it.
struct ShownBox : shell::WindowInputBox {
    std::optional<std::string> ask(std::string_view, std::string_view) override { return std::nullopt; }
    void show(std::string_view, std::string_view title, const std::optional<std::string>& answer, double speed) override {
        shown.push_back(std::string(title) + ": " + answer.value_or("(cancel)") + " at " + std::to_string(speed));
    }
    std::vector<std::string> shown;
};

struct Replayed {
    Replayed(const std::string& text, double speed) : in(text), script(app, in, out, err, "the recording"), replay(app, script, speed) {
        shell::setUpGame(app);
        app.setInputBoxHost(&replay.inputBox(box));
        shell::openGame(app);
    }
    // As the window loop: wakes when the replay asks (or every `most` ms at the
    // latest), until it is over; the times it woke.
    std::vector<rt::Millis> play(rt::Millis most = 1000) {
        std::vector<rt::Millis> woke;
        rt::Millis now = 0;
        while (replay.playing()) {
            const auto wake = replay.nextWake();
            now = wake ? std::max(now, std::min(*wake, now + most)) : now + most;
            replay.catchUp(now);
            woke.push_back(now);
        }
        replay.ended();
        return woke;
    }

    rt::App app;
    std::ostringstream out, err;
    std::istringstream in;
    shell::PacedScript script;
    shell::Replay replay;
    ShownBox box;
};

std::string headlessState(const std::string& text) {
    rt::App app;
    std::ostringstream out, err;
    shell::setUpGame(app);
    shell::openGame(app);
    std::istringstream in(text);
    EXPECT_EQ(shell::playScript(app, in, out, err), 0) << err.str();
    return shell::stateJson(app);
}

constexpr std::string_view kStart = "down Form1 5265 5145\nup Form1 5265 5145\n";

TEST(PacedReplay, PlaysTheClockLinesAtTheirTimesAndShowsTheCodeBoxAnswers) {
    const std::string recording = "# as the recorder begins\n\n" + std::string(kStart) +
                                  "catchup 500\nanswer hello\nkeyup 38\ncatchup 1500\n"
                                  "expect Form2.strCode hello\nexpect App.Time 2000\n";
    Replayed fast(recording, 4);
    const std::vector<rt::Millis> woke = fast.play();
    EXPECT_EQ(fast.script.status(), 0) << fast.err.str();
    EXPECT_EQ(woke, (std::vector<rt::Millis>{0, 125, 500}));  // the script's 500 and 2000 ms, four times as fast
    EXPECT_EQ(fast.box.shown, (std::vector<std::string>{"Backdoor: hello at 4.000000"}));

    Replayed slow(recording, 0.25);
    EXPECT_EQ(slow.play(10000), (std::vector<rt::Millis>{0, 2000, 8000}));
}

TEST(PacedReplay, AWaitShowsItsTicksOnTheWayAndEndsAsHeadless) {
    const std::string scenario = "seed 9\nclick Form1.Image5\nwait 2500\nclick Form2 300 7650\nwait 30000\n";
    Replayed replayed(scenario, 2);
    replayed.replay.catchUp(0);
    replayed.replay.catchUp(750);  // half of the first wait, at speed 2
    EXPECT_EQ(replayed.app.now(), 1500);
    EXPECT_EQ(replayed.app.form("Form2").Visible(), true);
    EXPECT_LT(replayed.replay.nextWake().value(), 1250);  // the next tick, before the wait's end
    // Woken at odd times, it still plays the game a headless run plays.
    replayed.play(7);
    EXPECT_EQ(replayed.script.status(), 0) << replayed.err.str();
    EXPECT_EQ(shell::stateJson(replayed.app), headlessState(scenario));
}

// The page catches up ahead at each wake-up: a replay then plays the clock lines due
// within the lead at once, each as a catch-up of its own, and no further.
TEST(PacedReplay, CatchingUpAheadPlaysTheClockLinesDueWithinTheLead) {
    const std::string recording = std::string(kStart) + "catchup 500\ncatchup 10\ncatchup 20\nexpect App.Time 530\n";
    Replayed replayed(recording, 2);
    replayed.replay.catchUpAhead(244, 5);  // the first catch-up is due at 250, at speed 2
    EXPECT_EQ(replayed.app.now(), 0);
    replayed.replay.catchUpAhead(245, 5);
    EXPECT_EQ(replayed.app.now(), 500);
    EXPECT_EQ(replayed.replay.nextWake(), 255);
    replayed.replay.catchUpAhead(250, 15);
    EXPECT_EQ(replayed.app.now(), 530);
    EXPECT_TRUE(replayed.script.over());
    EXPECT_EQ(replayed.script.status(), 0) << replayed.err.str();

    Replayed stopped(recording, 1);
    stopped.replay.catchUp(0);
    stopped.replay.closeBox(stopped.app.form("Form2"));
    stopped.replay.catchUpAhead(495, 10);  // what the player stopped plays no further
    EXPECT_EQ(stopped.app.now(), 0);
}

TEST(PacedReplay, RefusesWhatNoPlayerDoesBeforeAnythingPlays) {
    for (const std::string bad : {"set Form2.intHits 5", "shot Form2 x.png"}) {
        Replayed replayed(std::string(kStart) + "catchup 100\n" + bad + "\nexpect App.Time 5\n", 1);
        EXPECT_EQ(replayed.script.status(), 2);
        const std::string said = replayed.err.str();
        EXPECT_EQ(said, "line 4: a replay cannot hold " + bad.substr(0, bad.find(' ')) + ", which no player does: " +
                            bad + "\n");
        EXPECT_FALSE(replayed.replay.playing());
        EXPECT_TRUE(replayed.app.form("Form1").Visible());
    }
    Replayed unsplit("click Form1.Image5\nprint \"open\n", 1);
    EXPECT_EQ(unsplit.script.status(), 2);
    EXPECT_TRUE(unsplit.app.form("Form1").Visible());
}

TEST(PacedReplay, ThePlayerOnlyWatchesAndTheCloseBoxStops) {
    Replayed replayed(std::string(kStart) + "catchup 5000\nexpect App.Time 1\n", 1);
    replayed.replay.catchUp(0);
    rt::Form& game = replayed.app.form("Form2");
    replayed.replay.mouseDown(game, 300, 7650, rt::kLeftButton, 0);
    replayed.replay.mouseUp(game, 300, 7650, rt::kLeftButton, 0);
    replayed.replay.keyPress('r');
    replayed.replay.keyUp(38, 0);
    EXPECT_EQ(replayed.app.now(), 0);
    EXPECT_EQ(shell::stateJson(replayed.app), headlessState(std::string(kStart)));
    replayed.replay.closeBox(game);
    EXPECT_FALSE(replayed.replay.playing());
    replayed.replay.ended();  // stopped: the rest is not played
    EXPECT_EQ(replayed.script.status(), 0);
    EXPECT_EQ(replayed.err.str(), "");
}

// The one key a player watching a replay has: M, its sound off and on again.
TEST(PacedReplay, ThePlayersMTurnsTheSoundOffAndOnAndNoOtherKeyDoes) {
    const std::string ground = "catchup 1000\nclick Form2 3000 7800\n";
    Replayed replayed(std::string(kStart) + ground + ground + ground, 1);
    sound::Hearing& hearing = replayed.script.hearing();
    replayed.replay.catchUp(0);
    hearing.takeHeard();  // START's click
    const std::vector<sound::Effect> thrown{sound::Effect::Throw};
    replayed.replay.keyUp(38, 0);
    replayed.replay.catchUp(1000);
    EXPECT_EQ(hearing.takeHeard(), thrown);
    replayed.replay.keyUp(sound::kMuteKey, 0);
    replayed.replay.catchUp(2000);
    EXPECT_TRUE(hearing.takeHeard().empty());
    replayed.replay.keyUp(sound::kMuteKey, 0);
    replayed.replay.catchUp(3000);
    EXPECT_EQ(hearing.takeHeard(), thrown);
}

TEST(PacedReplay, EndsAtAnExpectThatDoesNotHoldAndPlaysTheRestOnceTheGameHasEnded) {
    Replayed failing(std::string(kStart) + "catchup 100\nexpect Form2.intHits 3\ncatchup 100000\n", 1);
    failing.play();
    EXPECT_EQ(failing.script.status(), 1);
    EXPECT_EQ(failing.app.now(), 100);
    EXPECT_EQ(failing.err.str(), "line 4: expected Form2.intHits = 3, got 0\n");
    EXPECT_EQ(failing.replay.nextWake(), std::nullopt);  // nothing more to wake for

    // The game closed: what is left plays at once, without waiting.
    Replayed closed(std::string(kStart) + "close Form2\ncatchup 60000\nexpect App.Running False\nprint App.Time\n", 1);
    const std::vector<rt::Millis> woke = closed.play();
    EXPECT_EQ(closed.script.status(), 0) << closed.err.str();
    EXPECT_EQ(woke, std::vector<rt::Millis>{0});
    EXPECT_EQ(closed.out.str(), "App.Time = 60000\n");
    EXPECT_EQ(closed.replay.nextWake(), std::nullopt);
}

// A screen whose click is an error of the game's.
class Faulty : public rt::Form {
public:
    using rt::Form::Form;
    void Form_Click() override { throw rt::Error::overflow(); }
};

TEST(PacedReplay, TheGamesErrorsAreSaidWhereTheScriptsAre) {
    static constexpr rt::FormLayout kFaulty = {.name = "Faulty", .clientWidth = 600, .clientHeight = 600};
    rt::App app;
    app.define("Faulty", [](rt::App& a) { return std::make_unique<Faulty>(a, kFaulty); });
    app.start("Faulty");
    std::istringstream in("click Faulty 100 100\n");
    std::ostringstream out, err;
    shell::PacedScript script(app, in, out, err, "the recording");
    script.playUntil(0);
    EXPECT_TRUE(script.over());
    EXPECT_EQ(err.str(), "krax: Overflow in Faulty.Form_Click\n");
}

}  // namespace

// Replays of window sessions: the script commands a recording is made of, and the
// recorder itself, driven as the window loop drives it and played back headless.
#include "shell/program/command_line.hpp"
#include "shell/game_start.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/recorder.hpp"
#include "shell/script/state_dump.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Played {
    int status;
    std::string out, err;
};

// Plays a script on a freshly started program with a clock seed of its own.
Played play(std::string_view script, rt::App* app = nullptr) {
    rt::App own;
    rt::App& a = app ? *app : own;
    std::ostringstream out, err;
    a.setErrorStream(err);
    shell::setUpGame(a);
    shell::openGame(a);
    std::istringstream in{std::string(script)};
    const int status = shell::playScript(a, in, out, err);
    return {status, out.str(), err.str()};
}

void expectPasses(std::string_view script) {
    const Played played = play(script);
    EXPECT_EQ(played.status, 0) << played.err << "in:\n" << script;
}

constexpr std::string_view kStart = "down Form1 5265 5145\nup Form1 5265 5145\n";  // START

TEST(SingleEvents, CatchUpTicksEachDueTimerOnceAtTheTimeOfWaking) {
    // Late by three periods: one tick, and the next counts from now.
    expectPasses(std::string(kStart) +
                 "catchup 3000\nexpect Form2.intTimeLeft 59\nexpect App.Time 3000\n"
                 "wait 999\nexpect Form2.intTimeLeft 59\nwait 1\nexpect Form2.intTimeLeft 58\n");
    // Late by less than a period: the schedule holds.
    expectPasses(std::string(kStart) +
                 "catchup 1500\nexpect Form2.intTimeLeft 59\ncatchup 500\nexpect Form2.intTimeLeft 58\n"
                 "catchup 0\ncatchup 999\nexpect Form2.intTimeLeft 58\n");
    EXPECT_EQ(play("catchup -1").status, 2);
}

TEST(SingleEvents, SeedLinePlaysTheGameOfTheSeedOption) {
    const std::string round = "click Form1.Image5\nwait 20000\ndump\n";
    std::ostringstream out, err;
    const std::vector<std::string_view> args{"--headless", "--seed", "5"};
    std::istringstream script(round);
    ASSERT_EQ(shell::runCommandLine(args, script, out, err, {}), 0) << err.str();
    const Played seeded = play("seed 5\n" + round);
    EXPECT_EQ(seeded.status, 0) << seeded.err;
    EXPECT_EQ(seeded.out, out.str());
    EXPECT_EQ(play("seed 4294967296").status, 2);
}

TEST(SingleEvents, ButtonsMakeAClickOnlyWhereDownAndUpMeet) {
    expectPasses(std::string(kStart) + "expect App.ActiveForm Form2\n");
    // Dragged off the window: no click, and a later up alone makes none either.
    expectPasses("down Form1 5265 5145\nup Form1 -100 99999\nup Form1 5265 5145\nexpect Form2.Loaded False\n");
    // An up for a screen gone meanwhile reaches nothing and is no error.
    expectPasses(std::string(kStart) + "up Form1 5265 5145\nexpect Form1.Loaded False\n");
    // The right button on bare ground costs a second but no carrot.
    expectPasses(std::string(kStart) +
                 "down Form2 300 7650 right 1\nup Form2 300 7650 right 1\n"
                 "expect Form2.intBullets 6\nexpect Form2.intTimeLeft 59\n"
                 "move Form2 4000 7650 left+right 2\nexpect Form2.picGunr1.Visible True\n");
}

TEST(SingleEvents, KeysAndActivationAsTheWindowSystemDeliversThem) {
    expectPasses(std::string(kStart) +
                 "down Form2 300 7650\nup Form2 300 7650\nexpect Form2.intBullets 5\n"
                 "keypress 114\nexpect Form2.intBullets 6\n"
                 "answer 47\nkeyup 38 1\nexpect Form2.intTimeLeft 10\nexpect Form2.strCode 47\n");
    expectPasses("set frmCredits.Visible True\nexpect App.ActiveForm frmCredits\n"
                 "activate Form1\nexpect App.ActiveForm Form1\n"
                 "set frmCredits.Enabled False\nactivate frmCredits\nexpect App.ActiveForm Form1\n");
}

TEST(SingleEvents, WrongWordsAreLinesThatCannotBeRun) {
    struct Case {
        std::string_view line, message;
    };
    const Case cases[] = {
        {"keypress 256", "line 1: expected a whole number from 0 to 255, not 256: keypress 256"},
        {"keyup 38 8", "line 1: expected a whole number from 0 to 7, not 8: keyup 38 8"},
        {"down Form1 1 2 both", "line 1: expected one of left, right, middle, not both: down Form1 1 2 both"},
        {"move Form1 10 10 middle",
         "line 1: expected one of none, left, right, left+right, not middle: move Form1 10 10 middle"},
        {"up Form9 1 2", "line 1: unknown screen \"Form9\": up Form9 1 2"},
        {"activate Form7", "line 1: Form7 is not shown: activate Form7"},
        {"catchup", "line 1: usage: catchup MS: catchup"},
    };
    for (const Case& c : cases) {
        const Played played = play(c.line);
        EXPECT_EQ(played.status, 2) << c.line;
        EXPECT_EQ(played.err, std::string(c.message) + "\n");
    }
}

// How the loop of a window session feeds the recorder: the time passing till an event
// comes, then the event.
struct Loop {
    virtual ~Loop() = default;
    virtual void passUntil(rt::Millis now) = 0;
    virtual void handle(const std::function<void(shell::LiveInput&)>& event) = 0;
};

// A window session without windows: the recorder fed as a window loop (the desktop's
// or the page's) feeds it, with an input box that answers from a list.
class Session : public ::testing::Test, private shell::WindowInputBox {
protected:
    explicit Session(bool everyTick = false) {
        live.setErrorStream(errors);
        live.setQuietTimersSleep(!everyTick);
        shell::setUpGame(live);
        recorder = std::make_unique<shell::Recorder>(live, shell::Recorder::To{&script, "session.script", nullptr}, errors);
        live.setInputBoxHost(&recorder->inputBox(*this));
        shell::openGame(live);
    }

    rt::Form& form(const char* name) { return live.form(name); }
    // Plays the recording on a new program, which must agree with the live one.
    void replayAgrees() {
        rt::App replay;
        const Played played = play(script.str(), &replay);
        EXPECT_EQ(played.status, 0) << played.err;
        EXPECT_EQ(shell::stateJson(replay), shell::stateJson(live));
    }
    void playRandomly(Loop& loop, std::mt19937& rng);
    std::vector<std::string> lines() const {
        std::vector<std::string> all;
        std::istringstream in(script.str());
        for (std::string line; std::getline(in, line);) all.push_back(line);
        return all;
    }

    std::vector<std::optional<std::string>> answers;
    rt::App live;
    std::ostringstream script, errors;
    std::unique_ptr<shell::Recorder> recorder;

private:
    std::optional<std::string> ask(std::string_view, std::string_view) override {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void show(std::string_view, std::string_view, const std::optional<std::string>&, double) override {}
};

TEST_F(Session, WritesWhatTheReplayNeedsBeforeEachEvent) {
    recorder->catchUp(400);
    recorder->mouseMove(form("Form1"), 5265, 5145, 0, 0);  // over START: reaches no handler
    recorder->mouseDown(form("Form1"), 5265, 5145, rt::kLeftButton, 0);
    recorder->catchUp(405);
    recorder->mouseUp(form("Form1"), 5265, 5145, rt::kLeftButton, 0);
    recorder->activate(form("Form2"));  // already active
    recorder->catchUp(1390);            // nothing due: no line of its own
    answers = {"47", std::nullopt};
    recorder->keyUp(38, 0);
    recorder->catchUp(1400);  // the round clock ticks
    recorder->keyUp(38, 1);
    recorder->closeBox(form("Form2"));
    recorder->ended();

    const std::vector<std::string> all = lines();
    ASSERT_GE(all.size(), 16u);
    const std::vector<std::string> start(all.begin(), all.begin() + 14);
    EXPECT_EQ(all[1].rfind("seed ", 0), 0u);  // the clock's seed at start
    EXPECT_EQ(start, (std::vector<std::string>{
                         all[0], all[1], "catchup 400", "down Form1 5265 5145", "catchup 5",
                         "seed " + std::to_string(live.lastSeed()),  // the round seeds afresh
                         "up Form1 5265 5145",
                         "catchup 985", "answer \"47\"", "keyup 38",
                         "catchup 10", "cancel", "keyup 38 1", "close Form2"}));
    EXPECT_EQ(all.back(), "expect Form2.strCode \"\"");
    EXPECT_EQ(errors.str(), "");
    replayAgrees();
}

// The desktop's: it wakes for the event, late now and then, and catches up to it.
struct DesktopLoop : Loop {
    explicit DesktopLoop(shell::LiveInput& in) : input(in) {}
    void passUntil(rt::Millis now) override { input.catchUp(now); }
    void handle(const std::function<void(shell::LiveInput&)>& event) override { event(input); }
    shell::LiveInput& input;
};

// The page's (shell/web/page.cpp): a timeout to the input's next wake, which fires
// late() ms after its time; every wake-up and every event catches up ahead.
struct PageLoop : Loop {
    static constexpr rt::Millis kLead = rt::Timer::kShortestPeriod;
    PageLoop(shell::LiveInput& in, std::function<rt::Millis()> lateness) : input(in), late(std::move(lateness)) {}
    void passUntil(rt::Millis moment) override {
        for (auto wake = input.nextWake(); input.playing() && wake; wake = input.nextWake()) {
            const rt::Millis woke = std::max(now, *wake + late());
            if (woke >= moment) break;  // the event comes first
            now = woke;
            input.catchUpAhead(now, kLead);
            ++wakeUps;
        }
        now = std::max(now, moment);
    }
    void handle(const std::function<void(shell::LiveInput&)>& event) override {
        input.catchUp(now);
        event(input);
        input.catchUpAhead(now, kLead);
    }
    shell::LiveInput& input;
    std::function<rt::Millis()> late;
    rt::Millis now = 0;
    int wakeUps = 0;
};

// Random play through the recorder, fed by a loop that comes to each event late now
// and then.
void Session::playRandomly(Loop& loop, std::mt19937& rng) {
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const rt::Single kTargets[][2] = {{5017, 5955}, {2047, 7290}, {3217, 1605}, {6097, 2205},
                                      {2257, 5955}, {2100, 7290}, {3615, 6630}, {4875, 1515}};
    const auto click = [&](rt::Form& form, rt::Single x, rt::Single y, int button) {
        loop.handle([&](shell::LiveInput& input) { input.mouseDown(form, x, y, button, 0); });
        loop.handle([&](shell::LiveInput& input) { input.mouseUp(form, x, y, button, 0); });
    };
    rt::Millis now = 0;
    click(form("Form1"), 5265, 5145, rt::kLeftButton);
    for (int i = 0; i < 6000 && live.Running(); ++i) {
        now += pick(0, 9) == 0 ? pick(20, 400) : pick(0, 12);
        loop.passUntil(now);
        rt::Form* front = live.windows().empty() ? nullptr : live.windows().front();
        if (!front) break;
        const int kind = pick(0, 9);
        const bool onTarget = kind < 3;
        const rt::Single x = onTarget ? kTargets[pick(0, 7)][0] : rt::Single(pick(0, 6810));
        const rt::Single y = onTarget ? kTargets[pick(0, 7)][1] : rt::Single(pick(0, 8010));
        if (kind < 6) {
            click(*front, x, y, pick(0, 4) ? rt::kLeftButton : rt::kRightButton);
        } else if (kind < 8) {
            loop.handle([&](shell::LiveInput& input) { input.mouseMove(*front, x, y, 0, 0); });
        } else if (kind == 8) {
            loop.handle([](shell::LiveInput& input) { input.keyPress('r'); });
        } else {
            answers = {pick(0, 1) ? std::optional<std::string>("47") : std::nullopt};
            const int key = pick(0, 1) ? 38 : 40;
            loop.handle([&](shell::LiveInput& input) { input.keyUp(key, 0); });
        }
    }
    // Every close box there is; the borderless reload screen has none.
    for (rt::Form* shown : std::vector<rt::Form*>(live.windows()))
        if (shown->layout().style != rt::WindowStyle::Borderless)
            loop.handle([&](shell::LiveInput& input) { input.closeBox(*shown); });
    recorder->ended();
}

// The replay must end in the same state, to the last property, whether timers with
// nothing to do sleep or tick.
TEST_F(Session, RandomPlayWithLateWakingsReplaysExactly) {
    DesktopLoop desktop(*recorder);
    std::mt19937 rng(20261209);
    playRandomly(desktop, rng);
    replayAgrees();
}

class EveryTickSession : public Session {
protected:
    EveryTickSession() : Session(true) {}
};

TEST_F(EveryTickSession, RandomPlayWithLateWakingsReplaysExactly) {
    DesktopLoop desktop(*recorder);
    std::mt19937 rng(20261209);
    playRandomly(desktop, rng);
    EXPECT_EQ(lines()[2], "every-tick");
    replayAgrees();
}

// The page runs the game's clock up to a period ahead, to take the pollers along with
// the change that wakes them: the recorder writes each tick of that down at its own
// moment, and the script replays exactly, however late the browser's timeouts fire.
TEST_F(Session, ThePagesAheadCatchUpsAreWrittenAtTheMomentsTheirTicksRan) {
    PageLoop page(*recorder, [] { return 0; });
    page.handle([&](shell::LiveInput& input) { input.mouseDown(form("Form1"), 5265, 5145, rt::kLeftButton, 0); });
    page.handle([&](shell::LiveInput& input) { input.mouseUp(form("Form1"), 5265, 5145, rt::kLeftButton, 0); });
    page.passUntil(400);
    const std::size_t before = lines().size();
    const rt::Millis lastTick = live.now();
    page.handle([&](shell::LiveInput& input) { input.mouseDown(form("Form2"), 3000, 7800, rt::kLeftButton, 0); });
    // The shot's bullet is gone the moment the page shows it, on the poller's tick.
    EXPECT_FALSE(form("Form2").control("bullet6").Visible());
    EXPECT_EQ(live.now(), 410);
    const std::vector<std::string> all = lines();
    EXPECT_EQ(std::vector<std::string>(all.begin() + long(before), all.end()),
              (std::vector<std::string>{"catchup " + std::to_string(400 - lastTick), "down Form2 3000 7800",
                                        "catchup 10"}));
    page.handle([&](shell::LiveInput& input) { input.mouseUp(form("Form2"), 3000, 7800, rt::kLeftButton, 0); });
    EXPECT_EQ(live.now(), 410);  // ahead of the page's clock: the event meets the game there
    recorder->ended();
    replayAgrees();
}

TEST_F(Session, RandomPlayOnThePageReplaysExactly) {
    std::mt19937 rng(20270114);
    PageLoop page(*recorder, [&] { return std::uniform_int_distribution<int>(0, 9)(rng) ? 1 : 60; });
    playRandomly(page, rng);
    EXPECT_GT(page.wakeUps, 100);
    replayAgrees();
}

TEST_F(EveryTickSession, RandomPlayOnThePageReplaysExactly) {
    std::mt19937 rng(20270115);
    PageLoop page(*recorder, [&] { return std::uniform_int_distribution<int>(0, 4)(rng); });
    playRandomly(page, rng);
    replayAgrees();
}

TEST(Recorder, AFailedWriteIsSaidOnceAndPlayGoesOn) {
    rt::App live;
    shell::setUpGame(live);
    std::ostringstream script, errors;
    script.setstate(std::ios::badbit);
    shell::Recorder recorder(live, {&script, "full.script", nullptr}, errors);
    shell::openGame(live);
    recorder.mouseDown(live.form("Form1"), 5265, 5145, rt::kLeftButton, 0);
    recorder.mouseUp(live.form("Form1"), 5265, 5145, rt::kLeftButton, 0);
    EXPECT_TRUE(live.form("Form2").Visible());
    EXPECT_EQ(errors.str(), "krax: cannot write the recording full.script; the game goes on unrecorded\n");
}

}  // namespace

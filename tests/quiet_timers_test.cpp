// Timers with nothing to do sleep until something changes, and nothing a player or a
// script can see differs from running every tick.
#include "runtime/app.hpp"
#include "shell/game_start.hpp"
#include "shell/live_input.hpp"
#include "shell/script/state_dump.hpp"
#include "timer_mode.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using rt::Kind;

constexpr rt::ControlLayout kControls[] = {
    {.kind = Kind::Label, .name = "shown", .rect = {0, 0, 300, 300}},
    {.kind = Kind::Timer, .name = "early", .interval = 100, .enabled = false},
    {.kind = Kind::Timer, .name = "poll", .interval = 1, .enabled = true},
    {.kind = Kind::Timer, .name = "late", .interval = 100, .enabled = false},
};
constexpr rt::FormLayout kLayout = {.name = "Poller", .clientWidth = 600, .clientHeight = 600, .controls = kControls};

// A screen whose `poll` shows `source` on every tick, as the game's pollers do, and
// notes when it ran (through the runtime's own clock, which a handler cannot see).
class Poller : public rt::Form {
public:
    explicit Poller(rt::App& app) : rt::Form(app, kLayout) {
        timer("poll").Tick = [this] {
            runs.push_back(this->app().now());
            label("shown").setCaption(rt::text(source));
        };
    }
    rt::Var<rt::Integer> source{*this, "source"};
    std::vector<rt::Millis> runs;
};

class QuietTimers : public ::testing::Test {
protected:
    QuietTimers() {
        app.define("Poller", [](rt::App& a) { return std::make_unique<Poller>(a); });
        app.start("Poller");
    }
    Poller& poller() { return static_cast<Poller&>(app.form("Poller")); }
    rt::Timer& timer(const char* name) { return poller().timer(name); }
    void wait(rt::Millis ms) { app.advanceTo(app.now() + ms); }
    std::vector<rt::Millis> runs() { return std::exchange(poller().runs, {}); }

    rt::App app;
};

using Runs = std::vector<rt::Millis>;

TEST_F(QuietTimers, AQuietPollerSleepsAndWakesOnItsOwnPeriodAfterAChange) {
    wait(100);
    EXPECT_EQ(runs(), (Runs{10, 20}));  // the first tick wrote the caption, the second nothing
    EXPECT_EQ(app.nextTick(), std::nullopt);
    wait(3);
    app.apply([&] { poller().source = 7; });
    EXPECT_EQ(app.nextTick(), 110);
    wait(100);
    EXPECT_EQ(runs(), (Runs{110, 120}));
    EXPECT_EQ(poller().label("shown").Caption(), "7");
    app.apply([&] { poller().source = 7; });  // the same value is no change
    EXPECT_EQ(app.nextTick(), std::nullopt);
}

TEST_F(QuietTimers, AChangeAtTheMomentOfItsTickWakesItInTableOrder) {
    timer("early").Tick = [&] { poller().source = 1; };
    timer("late").Tick = [&] { poller().source = 2; };
    timer("early").setEnabled(true);
    timer("late").setEnabled(true);
    wait(100);
    // At 100 early's change comes before poll's own tick, late's after it.
    EXPECT_EQ(runs(), (Runs{10, 20, 100}));
    EXPECT_EQ(poller().label("shown").Caption(), "1");
    wait(20);
    EXPECT_EQ(runs(), (Runs{110, 120}));
}

TEST_F(QuietTimers, AValueMovedAwayAndBackIsNoChange) {
    wait(30);
    runs();
    app.apply([&] {
        poller().source = 4;
        poller().label("shown").setCaption("4");
        poller().source = 0;
        poller().label("shown").setCaption("0");
    });
    EXPECT_EQ(app.nextTick(), std::nullopt);
    timer("early").Tick = [&] {
        timer("late").setInterval(50);
        timer("late").setInterval(100);
    };
    timer("early").setEnabled(true);
    wait(200);
    EXPECT_EQ(runs(), (Runs{40}));  // woken by early's start, not by its ticks
}

TEST_F(QuietTimers, SwitchedOffEveryTickRuns) {
    app.setQuietTimersSleep(false);
    wait(50);
    EXPECT_EQ(runs(), (Runs{10, 20, 30, 40, 50}));
    EXPECT_EQ(app.nextTick(), 60);
}

// Such as the game's three idle timers: waking for them would cost a wake-up each.
TEST_F(QuietTimers, ATimerWithoutAHandlerWakesNothingEvenWhenEveryTickRuns) {
    app.setQuietTimersSleep(false);
    timer("poll").setEnabled(false);
    timer("early").setEnabled(true);
    EXPECT_EQ(app.nextTick(), std::nullopt);
    wait(250);
    app.apply([&] { poller().source = 1; });
    EXPECT_EQ(app.nextTick(), std::nullopt);
}

TEST_F(QuietTimers, HandlersThatDrawRandomNumbersNeverSleep) {
    timer("poll").Tick = [&] {
        poller().runs.push_back(app.now());
        poller().source = rt::CInt(app.Rnd() * 0);  // the sequence moves on all the same
    };
    wait(60);
    EXPECT_EQ(runs(), (Runs{10, 20, 30, 40, 50, 60}));
}

TEST_F(QuietTimers, ASleepingTimerKeepsItsPeriodThroughALateLoop) {
    timer("early").Tick = [] {};  // a quiet timer beside poll
    timer("early").setEnabled(true);
    wait(20);
    runs();
    app.catchUp(253);  // the loop wakes late; no tick of poll was missed: it slept
    app.apply([&] { poller().source = 3; });
    EXPECT_EQ(app.nextTick(), 260);
}

TEST_F(QuietTimers, CatchingUpAheadTakesThePollerAlongWithTheChangeThatWokeIt) {
    timer("early").Tick = [&] { poller().source = 5; };
    timer("early").setEnabled(true);
    wait(50);
    runs();
    shell::LiveInput page(app);
    page.catchUpAhead(100, rt::Timer::kShortestPeriod);
    EXPECT_EQ(runs(), (Runs{100, 110}));  // the caption written at 100, nothing at 110
    EXPECT_EQ(app.now(), 110);
    EXPECT_EQ(poller().label("shown").Caption(), "5");
    EXPECT_EQ(app.nextTick(), 200);  // early's next; poll sleeps again
}

TEST_F(QuietTimers, CatchingUpAheadNeverLeadsTheClockByMoreThanTheLead) {
    timer("poll").Tick = [&] {
        poller().runs.push_back(app.now());
        poller().source = rt::CInt(app.Rnd() * 0);  // never quiet
    };
    shell::LiveInput page(app);
    page.catchUpAhead(35, 20);  // a late loop: the ticks it missed merge into one
    EXPECT_EQ(runs(), (Runs{35, 45, 55}));
    EXPECT_EQ(app.now(), 55);
    page.catchUpAhead(36, 20);  // the platform's clock is behind the game's
    EXPECT_EQ(runs(), (Runs{}));
}

// An input that wants a wake-up its catch-up never brings nearer (a replay's clock
// rounding, say): the page's wake-up ends instead of spinning.
TEST_F(QuietTimers, CatchingUpAheadEndsWhereTheWakeUpsWantedStopMovingOn) {
    struct Stuck : shell::LiveInput {
        using LiveInput::LiveInput;
        std::optional<rt::Millis> nextWake() const override { return 105; }
        void catchUp(rt::Millis now) override { caught.push_back(now); }
        Runs caught;
    } stuck(app);
    stuck.catchUpAhead(100, 10);
    EXPECT_EQ(stuck.caught, (Runs{100, 105}));
}

// --- the whole game, both ways ---

// A program as krax --headless starts it.
struct Program {
    explicit Program(bool quietTimersSleep, std::uint32_t seed) {
        app.setErrorStream(errors);
        app.setQuietTimersSleep(quietTimersSleep);
        app.fixSeed(seed);
        shell::setUpGame(app);
        shell::openGame(app);
    }
    // What a player or a script could tell apart: the dump, where each timer's next
    // tick falls, the pictures painted on picture boxes, the error reports.
    std::string state() {
        std::ostringstream out;
        out << shell::stateJson(app) << '\n';
        for (const std::string& name : app.formNames())
            for (const auto& control : app.form(name).controls()) {
                if (const auto* timer = dynamic_cast<const rt::Timer*>(control.get()))
                    out << name << '.' << timer->name() << " due " << timer->deadline().value_or(-1) << '\n';
                if (const auto* box = dynamic_cast<const rt::PictureBox*>(control.get()))
                    out << name << '.' << box->name() << " painted " << (box->painted() ? box->painted() : "-") << '\n';
            }
        return out.str() + errors.str();
    }

    std::ostringstream errors;
    rt::App app;
};

TEST(QuietGame, ALongWaitOnARunningRoundEndsWithNothingAwake) {
    if (everyTick()) GTEST_SKIP() << "a wait of 2^31 ms runs every tick of it";
    Program program(true, 5);
    rt::App& app = program.app;
    rt::Form& menu = app.form("Form1");
    const rt::Rect& start = menu.control("Image5").rect();
    app.mouseDown(menu, start.left + start.width / 2, start.top + start.height / 2, rt::kLeftButton, 0);
    app.mouseUp(menu, start.left + start.width / 2, start.top + start.height / 2, rt::kLeftButton, 0);
    ASSERT_EQ(app.ActiveForm(), &app.form("Form2"));
    app.advanceTo(2147483647);
    EXPECT_EQ(app.now(), 2147483647);
    EXPECT_EQ(app.nextTick(), std::nullopt);
    EXPECT_LT(program.app.handlerRuns(), 60 * 200);  // a round's worth, not 2^31 ms of polling
}

// The first line where two states differ, both ways, or empty text.
std::string firstDifference(const std::string& a, const std::string& b) {
    std::istringstream as(a), bs(b);
    std::string la, lb;
    while (as || bs) {
        std::getline(as, la);
        std::getline(bs, lb);
        if (la != lb) return la.substr(0, 300) + "\n" + lb.substr(0, 300);
    }
    return "";
}

// One random session played on two programs, one of them running every tick; the
// state must be the same after every event.
class Twins {
public:
    Twins(std::uint32_t seed, bool realLoop) : rng_(seed), realLoop_(realLoop), quiet_(true, seed), busy_(false, seed) {}

    void play(int events) {
        for (int n = 0; n < events && quiet_.app.Running(); ++n) {
            step();
            ASSERT_EQ(firstDifference(quiet_.state(), busy_.state()), "") << "after event " << n;
        }
        EXPECT_LT(quiet_.app.handlerRuns(), busy_.app.handlerRuns());
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    void step() {
        const int kind = pick(0, 19);
        if (kind < 8) return waitBoth(kind < 4 ? pick(0, 30) : pick(0, 1500));
        if (kind < 9) return keyBoth(pick(0, 1) ? 'R' : 'x');
        if (kind < 10) return codeBoth();
        pointerBoth(kind < 13);
    }

    // Virtual time as a script moves it, or as the window loop does: it sleeps until
    // the next tick it knows of or the next input, then catches up.
    void waitBoth(rt::Millis ms) {
        const rt::Millis until = quiet_.app.now() + ms;
        for (Program* p : {&quiet_, &busy_}) {
            if (!realLoop_) {
                p->app.advanceTo(until);
                continue;
            }
            while (p->app.Running()) {
                const auto next = p->app.nextTick();
                if (!next || *next > until) break;
                p->app.catchUp(*next);
            }
            p->app.catchUp(until);
        }
    }

    template <class Event>
    void both(Event event) {
        event(quiet_.app);
        event(busy_.app);
    }

    void keyBoth(int ascii) {
        both([&](rt::App& app) {
            app.keyPress(ascii);
            app.keyUp(ascii, 0);
        });
    }

    // Up opens the code box; the answer is a code or not.
    void codeBoth() {
        static const char* const kAnswers[] = {"47", "Lantern", "Fig", "Cobra", "", "nope"};
        answer_.text = kAnswers[pick(0, 5)];
        both([&](rt::App& app) {
            app.setInputBoxHost(&answer_);
            app.keyUp(38, 0);
        });
    }

    // A click or a move on a shown screen: on one of its controls or anywhere.
    void pointerBoth(bool click) {
        const auto& windows = quiet_.app.windows();
        if (windows.empty()) return;
        const std::size_t w = std::size_t(pick(0, int(windows.size()) - 1));
        const rt::Form& form = *windows[w];
        const auto& controls = form.controls();
        const rt::Rect& r = controls[std::size_t(pick(0, int(controls.size()) - 1))]->rect();
        const bool anywhere = pick(0, 2) == 0;
        const rt::Single x = anywhere ? rt::Single(pick(0, int(form.layout().clientWidth))) : r.left + r.width / 2;
        const rt::Single y = anywhere ? rt::Single(pick(0, int(form.layout().clientHeight))) : r.top + r.height / 2;
        const int button = pick(0, 3) ? rt::kLeftButton : rt::kRightButton;
        both([&](rt::App& app) {
            rt::Form& target = *app.windows()[w];
            if (!click) {
                app.mouseMove(target, x, y, 0, 0);
                return;
            }
            if (target.Enabled()) app.activate(target);
            app.mouseDown(target, x, y, button, 0);
            app.mouseUp(target, x, y, button, 0);
        });
    }

    struct Answer : rt::InputBoxHost {
        std::optional<std::string> ask(std::string_view, std::string_view) override { return text; }
        std::string text;
    };

    std::mt19937 rng_;
    bool realLoop_;
    Answer answer_;
    Program quiet_, busy_;
};

// Each session plays both ways itself, so the suite's second run has nothing to add.
TEST(QuietGame, ManySeededSessionsOnTheVirtualClockGiveTheSameStateAfterEveryEvent) {
    if (everyTick()) GTEST_SKIP() << "compares both ways already";
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Twins(seed, false).play(400);
        if (HasFatalFailure()) return;
    }
}

TEST(QuietGame, ManySeededSessionsInTheWindowLoopGiveTheSameStateAfterEveryEvent) {
    if (everyTick()) GTEST_SKIP() << "compares both ways already";
    for (std::uint32_t seed = 101; seed <= 108; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Twins(seed, true).play(400);
        if (HasFatalFailure()) return;
    }
}

}  // namespace

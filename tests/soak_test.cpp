// A long random session: round after round of clicks, pointer moves, keys and waits,
// with the round's invariants checked after every single event.
#include "game_fixture.hpp"

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kRounds = 120;
// A round lasts at most 60 s of clock; at the mix below that is well under 2000 events.
constexpr int kMaxEventsPerRound = 20000;
constexpr std::uint32_t kEventSeed = 20240611;
constexpr std::uint32_t kGameSeed = 77;

constexpr rt::Single kClientWidth = 6810;
constexpr rt::Single kClientHeight = 8010;

// The hole of each target, by name and fixed Index.
struct Target {
    const char* name;
    int index;
};
constexpr std::array<Target, 8> kTargets = {{
    {"imgP1", 4}, {"imgP2", 2}, {"imgP3", 0}, {"imgP4", 1},
    {"imgP5", 3}, {"imgP6", 3}, {"imgP7", 4}, {"imgP8", 0},
}};
constexpr std::array<const char*, 8> kCountdowns = {
    "tmrDisappear1", "tmrDisappear2", "tmrDisappear3", "tmrDisappear4",
    "tmrDisappear5", "tmrDisappear6", "tmrDisappear7", "tmrDisappear8",
};

// The result screen each score leads to, written out here rather than taken from the
// game so that a wrong band in the game shows.
const char* resultScreenFor(int hits) {
    if (hits <= 70) return "Form4";
    if (hits <= 90) return "Form3";
    if (hits <= 120) return "Form5";
    return "Form6";
}
const char* resultScreenOfButton(const std::string& button) {
    if (button == "Image8") return "Form4";
    if (button == "Image10") return "Form3";
    if (button == "Image11") return "Form5";
    return "Form6";
}
// The Continue buttons share one rectangle; this is their order front to back.
constexpr std::array<const char*, 4> kContinueFrontToBack = {"Image12", "Image11", "Image10", "Image8"};

class Soak : public Game {
protected:
    Soak() { app.fixSeed(kGameSeed); }

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng); }
    rt::Single between(rt::Single lo, rt::Single hi) { return std::uniform_real_distribution<rt::Single>(lo, hi)(rng); }

    rt::Form& reloadScreen() { return app.form("frmCredits"); }
    bool reloadScreenUp() { return reloadScreen().Loaded() && reloadScreen().Visible(); }
    bool roundOver() {
        return std::any_of(kContinueFrontToBack.begin(), kContinueFrontToBack.end(),
                           [&](const char* b) { return at(b).Visible(); });
    }

    // A point of the game screen: bare ground, a hole (up or not), a shown target, or
    // anywhere at all.
    std::pair<rt::Single, rt::Single> somePoint() {
        const int kind = pick(0, 9);
        if (kind < 4) return {between(0, 4320), between(5535, kClientHeight)};
        if (kind < 6) {
            const Target& t = kTargets[std::size_t(pick(0, 7))];
            const rt::Rect& r = at(t.name, t.index).rect();
            return {r.left + r.width / 2, r.top + r.height / 2};
        }
        if (kind < 7) {
            std::vector<const rt::Rect*> up;
            for (const Target& t : kTargets)
                if (at(t.name, t.index).Visible()) up.push_back(&at(t.name, t.index).rect());
            if (!up.empty()) {
                const rt::Rect& r = *up[std::size_t(pick(0, int(up.size()) - 1))];
                return {between(r.left, r.left + r.width), between(r.top, r.top + r.height)};
            }
        }
        return {between(0, kClientWidth), between(0, kClientHeight)};
    }

    // The Up arrow with a random answer. "47", "Cobra" and "Fig" never come up: the
    // first two can make a round endless and the last ends the program, and other
    // tests cover them. Near misses of every code do.
    void codeBox() {
        static const std::array<const char*, 9> kWrong = {"47 ", "4", "lantern", "LANTERN", "cobra", "fig",
                                                          "Fig ", "x", "Lanter"};
        const int kind = pick(0, 9);
        if (kind < 3)
            answers.queue.push_back(std::nullopt);
        else if (kind < 5)
            answers.queue.push_back("");
        else if (kind < 9)
            answers.queue.push_back(kWrong[std::size_t(pick(0, int(kWrong.size()) - 1))]);
        else
            answers.queue.push_back("Lantern");
        const bool boxOpens = app.ActiveForm() == &form2() && form2().Enabled();
        key(kUp);
        EXPECT_EQ(answers.queue.empty(), boxOpens) << "the Up arrow on the game screen opens the code box";
        answers.queue.clear();
    }

    void someKey() {
        const int kind = pick(0, 9);
        if (kind < 3) {
            key('R', chance(0.5) ? 'R' : 'r');
        } else if (kind < 6) {
            const int letter = pick(0, 25);
            key('A' + letter, (chance(0.5) ? 'a' : 'A') + letter);
        } else if (kind < 7) {
            static constexpr std::array<int, 4> kOthers = {37, 39, 40, 13};  // Left, Right, Down, Enter
            const int code = kOthers[std::size_t(pick(0, 3))];
            key(code, code == 13 ? 13 : 0);
        } else {
            codeBox();
        }
    }

    // One random event of play. A round's share of waits sets how busy the player is:
    // a busy one loses the round's seconds to misses, a calm one plays the clock out.
    void someEvent() {
        if (chance(waitShare)) return wait(pick(0, 200));
        const int kind = pick(0, 99);
        if (kind < 38) {
            auto [x, y] = somePoint();
            clickAt(form2(), x, y);
        } else if (kind < 50) {
            auto [x, y] = somePoint();
            clickAt(form2(), x, y, rt::kRightButton);
        } else if (kind < 77) {
            auto [x, y] = somePoint();
            app.mouseMove(form2(), x, y, 0, 0);
        } else {
            someKey();
        }
    }

    // After every event: what must hold whatever the player does.
    void checkInvariants() {
        ASSERT_TRUE(app.Running());
        ASSERT_EQ(errors.str(), "") << "the program reported an error";
        ASSERT_GE(form2().intTimeLeft, 0);
        // The clock never runs slow: with no code entered, a round is over 60 s after it began.
        ASSERT_LE(form2().intTimeLeft.value(), std::max<rt::Millis>(0, 60 - (app.now() - roundStart) / 1000));
        for (std::size_t n = 0; n < kCountdowns.size(); ++n) {
            const int ticks = form2().intHoleTicks[n].value();
            ASSERT_GE(ticks, 0) << "hole " << n + 1;
            ASSERT_LE(ticks, 3) << "hole " << n + 1;
            if (!timer(kCountdowns[n]).Enabled()) {
                ASSERT_EQ(ticks, 0) << "hole " << n + 1 << ", countdown stopped";
            }
        }
        // Only the reload screen disables the game screen; it never locks the player out.
        if (form2().Loaded() && !form2().Enabled()) {
            ASSERT_TRUE(reloadScreenUp());
        }
    }

    // One event, and while the game screen is disabled, proof that it took no input.
    void playOneEvent() {
        const bool disabled = !form2().Enabled();
        const int bullets = form2().intBullets.value();
        const int hits = form2().intHits.value();
        const int timeLeft = form2().intTimeLeft.value();
        const rt::Millis before = app.now();
        someEvent();
        if (app.now() == before) {
            // Only a tick of the clock takes the last second.
            if (timeLeft > 0) {
                ASSERT_GT(form2().intTimeLeft, 0) << "input took the last second";
            }
            if (disabled) {
                ASSERT_EQ(form2().intBullets.value(), bullets) << "a disabled game screen took input";
                ASSERT_EQ(form2().intHits.value(), hits) << "a disabled game screen took input";
            }
        }
        checkInvariants();
    }

    // Reload, now or a few events later, whenever the reload screen is up.
    void reloadWhenDue() {
        if (!reloadScreenUp()) {
            reloadDelay = -1;
            return;
        }
        if (reloadDelay < 0) reloadDelay = chance(0.5) ? 0 : pick(1, 6);
        if (reloadDelay-- > 0) return;
        const int hits = form2().intHits.value();
        const int timeLeft = form2().intTimeLeft.value();
        click("frmCredits", "Image2");
        ++reloads;
        // Back to the same round, with the gun full.
        ASSERT_FALSE(reloadScreenUp());
        ASSERT_EQ(app.ActiveForm(), &form2());
        ASSERT_TRUE(form2().Enabled());
        ASSERT_EQ(form2().intBullets, 6);
        ASSERT_EQ(form2().intHits, hits);
        ASSERT_EQ(form2().intTimeLeft, timeLeft);
        reloadDelay = -1;
        checkInvariants();
    }

    // Plays the running round until its Continue button shows; false if it never does.
    bool playRound() {
        waitShare = chance(0.2) ? 0.9 : 0.35;
        // Random play scores near 0; a head start into one of the winning bands brings
        // every result screen up.
        if (chance(0.4)) {
            static constexpr std::array<std::pair<int, int>, 3> kHeadStarts = {{{74, 88}, {94, 118}, {124, 140}}};
            const auto [lowest, highest] = kHeadStarts[std::size_t(pick(0, 2))];
            form2().intHits = pick(lowest, highest);
        }
        for (int event = 0; event < kMaxEventsPerRound; ++event) {
            reloadWhenDue();
            if (HasFatalFailure()) return false;
            if (roundOver()) return true;
            const bool underReload = !form2().Enabled();
            playOneEvent();
            if (HasFatalFailure()) return false;
            if (roundOver()) {
                // An end behind the reload screen gives the game screen its input back.
                if (underReload) {
                    ++endsUnderReload;
                    EXPECT_TRUE(form2().Enabled()) << "the end left the game screen disabled";
                }
                return true;
            }
        }
        return false;
    }

    // From the shown Continue button to its result screen; the name of that screen.
    std::string continueToResult() {
        const std::string firstButton = [&] {
            for (const char* b : kContinueFrontToBack)
                if (at(b).Visible()) return std::string(b);
            return std::string();
        }();
        EXPECT_EQ(resultScreenOfButton(firstButton), std::string(resultScreenFor(form2().intHits.value())))
            << "score " << form2().intHits.value() << " shows " << firstButton;
        EXPECT_EQ(form2().intTimeLeft, 0);
        EXPECT_EQ(label("lblTime").Caption(), "0");
        EXPECT_TRUE(at("Label5").Visible());
        EXPECT_TRUE(at("Image9").Visible());
        EXPECT_TRUE(at("lblHit").Visible());
        EXPECT_TRUE(form2().Visible());
        // With the reload screen up, the player may close it first or go straight on to
        // Continue, unless the gun ran empty after the end and the screen is disabled again.
        if (reloadScreenUp() && (!form2().Enabled() || chance(0.5))) click("frmCredits", "Image2");
        // Hole 8's dog can still be shot after the end, and an activation ends the round
        // again with the new score, so more than one button may show by now: the front one
        // takes the click.
        const char* front = nullptr;
        for (const char* b : kContinueFrontToBack)
            if (!front && at(b).Visible()) front = b;
        EXPECT_TRUE(at(firstButton.c_str()).Visible());
        click("Form2", front);
        const std::string expected = resultScreenOfButton(front);
        EXPECT_FALSE(form2().Loaded());
        const rt::Form* active = app.ActiveForm();
        EXPECT_EQ(active ? std::string(active->name()) : std::string("none"), expected);
        return expected;
    }

    std::mt19937 rng{kEventSeed};
    rt::Millis roundStart = 0;  // when the round's screen was shown
    double waitShare = 0.35;
    int reloadDelay = -1;
    int reloads = 0;
    int endsUnderReload = 0;
};

TEST_F(Soak, ManyRandomRoundsKeepTheirInvariants) {
    // The first round through the menu, sometimes by way of the help screen.
    if (chance(0.5)) {
        startRound();
    } else {
        click("Form1", "Image7");
        click("Form7", "Image2");
    }
    roundStart = app.now();
    std::map<std::string, int> results;
    for (int rounds = 0; rounds < kRounds; ++rounds) {
        ASSERT_EQ(app.ActiveForm(), &form2()) << "round " << rounds;
        ASSERT_EQ(form2().intTimeLeft, 60) << "round " << rounds;
        ASSERT_EQ(form2().intHits, 0) << "round " << rounds;
        ASSERT_TRUE(playRound()) << "round " << rounds << " did not end within " << kMaxEventsPerRound << " events";
        const std::string screen = continueToResult();
        if (HasFailure()) FAIL() << "round " << rounds;
        ++results[screen];
        click(screen.c_str(), "Image3");  // Play Again
        roundStart = app.now();
        checkInvariants();
        if (HasFatalFailure()) FAIL() << "round " << rounds;
    }
    int finished = 0;
    for (const auto& [screen, count] : results) finished += count;
    EXPECT_EQ(finished, kRounds);
    EXPECT_GT(reloads, 0);
    EXPECT_GT(endsUnderReload, 0);
    // The head starts bring every result screen up at least once.
    for (const char* screen : {"Form3", "Form4", "Form5", "Form6"}) EXPECT_GT(results[screen], 0) << screen;
}

}  // namespace

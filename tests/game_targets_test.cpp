// Targets coming up and dropping back, hits on them, and the level they bring.
#include "game_fixture.hpp"

#include "game/holes.hpp"

#include <array>

namespace {

using game::kHoles;

class Targets : public Game {
protected:
    rt::Control& target(std::size_t hole) { return at(kHoles[hole].target, kHoles[hole].targetIndex); }
    rt::Control& badge(std::size_t hole) { return at(kHoles[hole].badge, kHoles[hole].badgeIndex); }
    rt::Timer& countdown(std::size_t hole) { return timer(kHoles[hole].countdown); }
    void shoot(std::size_t hole) { click("Form2", kHoles[hole].target, kHoles[hole].targetIndex); }
    // Steps the clock 1 ms at a time until `done` holds; returns when, or -1.
    template <class Done>
    rt::Millis until(Done done, rt::Millis limit = 5000) {
        for (rt::Millis end = app.now() + limit; app.now() < end; wait(1))
            if (done()) return app.now();
        return -1;
    }
};

TEST_F(Targets, TheFirstRollComesASecondAfterActivation) {
    startRound();
    wait(999);
    EXPECT_EQ(timer("tmrAppear").Interval(), 1000);
    wait(1);
    EXPECT_NE(timer("tmrAppear").Interval(), 1000);
}

TEST_F(Targets, ARollShowsTheHoleItPicksAndSetsThePaceFromTheScore) {
    startRound();
    timer("tmrWin").setEnabled(false);  // keep the watcher from rewriting the pace
    form2().intHits = 20;
    wait(1000);
    for (int roll = 0; roll < 40; ++roll) {
        ASSERT_EQ(timer("tmrAppear").Interval(), 130);
        const int picked = form2().intAppearRoll.value();
        ASSERT_GE(picked, 0);
        ASSERT_LE(picked, 10);
        for (std::size_t n = 0; n < kHoles.size(); ++n) {
            ASSERT_EQ(target(n).Visible(), int(n) == picked) << "roll " << picked;
            set(target(n), false);
        }
        wait(130);
    }
}

TEST_F(Targets, RollsFallAsTheHolesTableSays) {
    startRound();
    timer("tmrWin").setEnabled(false);
    timer("tmrTime").setEnabled(false);  // an endless round
    form2().intHits = 140;               // a roll every 10 ms
    wait(1000);
    std::array<int, 11> counts{};
    constexpr int kRolls = 20000;
    for (int i = 0; i < kRolls; ++i) {
        ++counts[std::size_t(form2().intAppearRoll.value())];
        for (std::size_t n = 0; n < kHoles.size(); ++n) set(target(n), false);
        wait(10);
    }
    for (int n = 2; n <= 8; ++n)  // hole n shows on roll n - 1
        EXPECT_NEAR(double(counts[0]) / counts[std::size_t(n - 1)], 0.5, 0.1) << "hole " << n;
    EXPECT_NEAR(double(counts[8] + counts[9] + counts[10]) / kRolls, 0.25, 0.02);
    EXPECT_NEAR(double(counts[5] + counts[6] + counts[7]) / kRolls, 0.30, 0.02);
}

TEST_F(Targets, TheWatcherLeavesThePaceOfTheHighestShownHole) {
    startRound();
    stopRolls();
    set(target(1), true);
    set(target(4), true);
    wait(10);
    EXPECT_EQ(timer("tmrAppear").Interval(), 50);
    set(target(1), false);
    set(target(4), false);
    set(target(0), true);
    wait(10);
    EXPECT_EQ(timer("tmrAppear").Interval(), 850);
    set(target(0), false);
    timer("tmrAppear").setInterval(123);
    wait(10);
    EXPECT_EQ(timer("tmrAppear").Interval(), 123);  // nothing up: left alone
}

TEST_F(Targets, AnUnshotTargetStaysThreeCountdownTicksFromTheWatchersSight) {
    startRound();
    stopRolls();
    const std::array<rt::Millis, 8> lives = {1500, 1500, 1500, 1200, 1500, 450, 450, 450};
    for (std::size_t n = 0; n < kHoles.size(); ++n) {
        set(target(n), true);
        const rt::Millis seen = until([&] { return countdown(n).Enabled(); });
        const rt::Millis gone = until([&] { return !target(n).Visible(); });
        EXPECT_EQ(gone - seen, lives[n]) << "hole " << n + 1;
        EXPECT_FALSE(countdown(n).Enabled());
        EXPECT_EQ(form2().intHoleTicks[n], 0);
    }
}

TEST_F(Targets, APigHitScoresAndTakesACarrot) {
    startRound();
    stopRolls();
    set(target(1), true);
    shoot(1);
    EXPECT_FALSE(target(1).Visible());
    EXPECT_TRUE(badge(1).Visible());
    EXPECT_EQ(form2().intHits, 1);
    EXPECT_EQ(form2().intBullets, 5);
    EXPECT_EQ(label("lblHits").Caption(), "Hits: 1");
    EXPECT_EQ(label("lblHit").Caption(), "Your Score is 1");
    EXPECT_EQ(label("lblBullets").Caption(), "Bullets: 5");
    EXPECT_EQ(form2().intTimeLeft, 60);  // a hit costs no time
    wait(10);
    EXPECT_FALSE(at("bullet6").Visible());
    EXPECT_TRUE(at("bullet5").Visible());
}

TEST_F(Targets, ADogHitTakesFive) {
    startRound();
    stopRolls();
    set(target(7), true);
    shoot(7);
    EXPECT_EQ(form2().intHits, -5);
    EXPECT_EQ(label("lblHits").Caption(), "Hits: -5");
    EXPECT_TRUE(badge(7).Visible());
}

TEST_F(Targets, ThePigOfHoleTwoCoversTheDogOfHoleSix) {
    startRound();
    stopRolls();
    set(target(1), true);
    set(target(5), true);
    shoot(5);  // at the dog's centre: the pig is in front
    EXPECT_EQ(form2().intHits, 1);
    EXPECT_TRUE(target(5).Visible());
    shoot(5);  // the pig is down now, and its badge does not cover the dog's centre
    EXPECT_EQ(form2().intHits, -4);
}

TEST_F(Targets, ABadgeAfterAFreshHitStaysTwoCountdownTicks) {
    startRound();
    stopRolls();
    timer("tmrWin").setEnabled(false);
    set(target(2), true);
    const rt::Millis hit = app.now();
    shoot(2);
    EXPECT_EQ(until([&] { return !badge(2).Visible(); }) - hit, 1000);
    EXPECT_FALSE(countdown(2).Enabled());
}

TEST_F(Targets, ABadgeAfterAHitOnACountingTargetStaysBetweenOneAndTwoTicks) {
    startRound();
    stopRolls();
    set(target(5), true);
    until([&] { return countdown(5).Enabled(); });
    wait(100);  // the countdown runs: 50 ms into its second period
    const rt::Millis hit = app.now();
    shoot(5);
    const rt::Millis life = until([&] { return !badge(5).Visible(); }) - hit;
    EXPECT_GT(life, 150);
    EXPECT_LT(life, 300);
}

TEST_F(Targets, ARollOnAHoleWhoseBadgeIsUpShowsTheTargetBesideIt) {
    startRound();
    stopRolls();
    set(target(2), true);
    wait(10);  // the watcher starts the countdown
    shoot(2);
    set(target(2), true);  // as a roll would, with the badge still up
    until([&] { return !badge(2).Visible(); });
    EXPECT_TRUE(target(2).Visible());
    EXPECT_FALSE(countdown(2).Enabled());
    const rt::Millis seen = until([&] { return countdown(2).Enabled(); });
    EXPECT_EQ(until([&] { return !target(2).Visible(); }) - seen, 1500);
}

TEST_F(Targets, AHitWithNoCarrotLeftStillScores) {
    startRound();
    stopRolls();
    form2().intBullets = 0;
    timer("tmrBullets").setEnabled(false);  // keep the reload screen away
    set(target(0), true);
    shoot(0);
    EXPECT_EQ(form2().intHits, 1);
    EXPECT_EQ(label("lblBullets").Caption(), "Bullets: -1");
    // Each hit while the count is negative rolls 0 to 5; a 1 puts the count back at 0.
    for (int shots = 0; form2().intBullets < 0 && shots < 200; ++shots) {
        set(target(0), true);
        shoot(0);
    }
    EXPECT_EQ(form2().intBullets, 0);
    EXPECT_EQ(form2().intHitRoll, 1);
    EXPECT_NE(label("lblBullets").Caption(), "Bullets: 0");  // written before the roll
}

TEST_F(Targets, TheLevelFollowsTheScoreAboveEleven) {
    startRound();
    stopRolls();
    struct Step {
        int hits, level;
    };
    const Step steps[] = {{11, 1}, {12, 2}, {14, 2}, {15, 3}, {10, 3}, {-20, 3}, {22, 4}, {17, 3}, {72, 8},
                          {73, 9}, {130, 12}, {131, 13}, {32767, 13}, {11, 13}};
    for (const Step& s : steps) {
        form2().intHits = s.hits;
        wait(10);
        EXPECT_EQ(form2().intLevel, s.level) << s.hits << " hits";
        EXPECT_EQ(label("lblLevel").Caption(), "Level " + std::to_string(s.level));
    }
}

TEST_F(Targets, AtExactly150HitsTheRollsStopForTheRound) {
    startRound();
    form2().intHits = 150;
    for (std::size_t n = 0; n < kHoles.size(); ++n) set(target(n), false);
    // Wait for a roll that shows nothing while no target is up.
    for (int i = 0; i < 500 && timer("tmrAppear").Interval() != 0; ++i) {
        wait(10);
        for (std::size_t n = 0; n < kHoles.size(); ++n) set(target(n), false);
    }
    ASSERT_EQ(timer("tmrAppear").Interval(), 0);
    const rt::Integer roll = form2().intAppearRoll;
    wait(20000);
    EXPECT_EQ(form2().intAppearRoll, roll);
    EXPECT_FALSE(timer("tmrAppear").deadline());
    EXPECT_EQ(errors.str(), "");
}

TEST_F(Targets, Above150HitsTheRollsComeAtTheShortestPeriod) {
    startRound();
    timer("tmrWin").setEnabled(false);
    form2().intHits = 200;
    wait(1000);
    EXPECT_EQ(timer("tmrAppear").Interval(), -50);
    EXPECT_EQ(timer("tmrAppear").deadline(), app.now() + rt::Timer::kShortestPeriod);
    wait(rt::Timer::kShortestPeriod);
    EXPECT_EQ(timer("tmrAppear").deadline(), app.now() + rt::Timer::kShortestPeriod);
    EXPECT_EQ(errors.str(), "");
}

TEST_F(Targets, AfterTheRoundOnlyTheDogOfHoleEightCanBeShot) {
    startRound();
    stopRolls();
    form2().intTimeLeft = 1;
    wait(1000);
    ASSERT_TRUE(at("Label5").Visible());
    set(target(7), true);  // shown by a last roll the stopped watcher never saw
    set(target(1), true);
    shoot(1);  // behind the cover
    EXPECT_EQ(form2().intHits, 0);
    shoot(7);
    EXPECT_EQ(form2().intHits, -5);
    EXPECT_EQ(label("lblHit").Caption(), "Your Score is -5");
    EXPECT_TRUE(at("Image8").Visible());
}

}  // namespace

// The `round` line: what a kept round states it starts from, played on a fresh
// program, refused where no round could have left it, and paced from its own time.
#include "shell/game_start.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/paced_script.hpp"
#include "shell/script/replay.hpp"
#include "shell/script/round_start.hpp"
#include "shell/script/script_words.hpp"
#include "timer_mode.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Played {
    int status;
    std::string out, err;
};

Played play(rt::App& app, std::string_view script) {
    useTimerMode(app);
    std::ostringstream out, err;
    app.setErrorStream(err);
    shell::startOnSeed(app, 1);
    std::istringstream in{std::string(script)};
    const int status = shell::playScript(app, in, out, err);
    return {status, out.str(), err.str()};
}

Played play(std::string_view script) {
    rt::App app;
    return play(app, script);
}

std::vector<std::string> shownScreens(const rt::App& app) {
    std::vector<std::string> names;
    for (const rt::Form* form : app.windows()) names.emplace_back(form->name());
    return names;
}

TEST(RoundLine, PutsAFreshProgramWhereTheLastRoundLeftIt) {
    rt::App app;
    const Played played = play(app,
                               "seed 3\nround 61250 10 1 \"Lan\\\"tern\" shown Form4 frmCredits Form3 active frmCredits "
                               "hidden Form1 pressed frmCredits.Image2\n"
                               "expect App.Time 61250\nexpect Form2.intAppearRoll 10\nexpect Form2.intBlinkPhase 1\n"
                               "expect Form2.strCode \"Lan\\\"tern\"\nexpect Form1.Loaded True\nexpect Form1.Visible False\n"
                               "expect App.ActiveForm frmCredits\nexpect Form2.Loaded False\n");
    EXPECT_EQ(played.status, 0) << played.err;
    EXPECT_EQ(shownScreens(app), (std::vector<std::string>{"Form4", "frmCredits", "Form3"}));
    // The button is held: the click ends where it comes up, and the round begins.
    std::istringstream up("up frmCredits 1530 1117\nexpect Form2.Visible True\nexpect frmCredits.Loaded False\n");
    std::ostringstream out, err;
    EXPECT_EQ(shell::playScript(app, up, out, err), 0) << err.str();

    // Before any round: the menu alone, or the help screen it leads to.
    EXPECT_EQ(play("round 4000 0 0 \"\" shown Form7 active Form7 pressed Form7.Image2\nup Form7 5175 7536\n"
                   "expect Form2.Visible True\nexpect Form1.Loaded False\n")
                  .status,
              0);
}

TEST(RoundLine, WhatNoRoundCouldLeaveIsALineThatCannotBeRun) {
    struct Case {
        std::string_view line, says;
    };
    const Case cases[] = {
        {"round 0 11 0 \"\" shown Form1 active Form1 pressed Form1.Image5", "expected a whole number from 0 to 10, not 11"},
        {"round 0 0 2 \"\" shown Form1 active Form1 pressed Form1.Image5", "expected a whole number from 0 to 1, not 2"},
        {"round -1 0 0 \"\" shown Form1 active Form1 pressed Form1.Image5", "expected a whole number from 0 to"},
        {"round 0 0 0 \"\" shown Form9 active Form9 pressed Form9.Image3", "unknown screen \"Form9\""},
        {"round 0 0 0 \"\" shown Form2 active Form2 pressed Form1.Image5", "a round begins with Form2 not loaded"},
        {"round 0 0 0 \"\" shown Form3 Form3 active Form3 pressed Form3.Image3", "Form3 is named twice"},
        {"round 0 0 0 \"\" shown Form3 active Form4 pressed Form3.Image3", "the active screen must be a shown one"},
        {"round 0 0 0 \"\" shown Form3 active Form3 pressed Form4.Image3", "pressed must name the button of a shown"},
        {"round 0 0 0 \"\" shown Form1 active Form1 pressed Form1.Image7", "pressed must name the button of a shown"},
        {"round 0 0 0 \"x\" shown Form1 active Form1 pressed Form1.Image5", "before the first round one screen is shown alone"},
        {"round 0 0 0 \"\" shown Form7 Form3 active Form7 pressed Form7.Image2", "before the first round one screen"},
        {"round 0 0 0 \"\" shown Form3 active Form3 hidden Form7 pressed Form3.Image3", "no round leaves Form7 loaded and hidden"},
        {"round 0 0 0 \"\" shown Form3 pressed Form3.Image3", "usage: round TIME ROLL PHASE CODE"},
        {"round 0 0 0 \"\" shown Form3 active Form3 pressed Form3.Image3 Form4", "usage: round TIME ROLL PHASE CODE"},
        {"round 0 0 0 \"\" shown \"Form3\" active Form3 pressed Form3.Image3", "expected a screen name, not \"Form3\""},
        {"round 0 0 0", "usage: round TIME ROLL PHASE CODE"},
    };
    for (const Case& c : cases) {
        const Played played = play(std::string(c.line) + "\n");
        EXPECT_EQ(played.status, 2) << c.line;
        EXPECT_NE(played.err.find(c.says), std::string::npos) << played.err;
    }
    // Only how the program plays may be set up before it.
    const std::string_view fine = "round 0 0 0 \"\" shown Form1 active Form1 pressed Form1.Image5\n";
    EXPECT_EQ(play("seed 4\nevery-tick\n" + std::string(fine)).status, 0);
    for (const std::string& before : {std::string("wait 0\n"), std::string("print App.Time\n"), std::string(fine)}) {
        const Played played = play(before + std::string(fine));
        EXPECT_EQ(played.status, 2) << before;
        EXPECT_NE(played.err.find("round comes before every other line but seed and every-tick"), std::string::npos);
    }
}

TEST(RoundLine, StatesTheProgramAsItStandsAndReadsBackTheSame) {
    rt::App app;
    ASSERT_EQ(play(app, "click Form1.Image5\nanswer Lantern\nkey Up\nwait 61000\nclick Form2.Image8\n"
                        "down Form4 3975 4455\n")
                  .status,
              0);
    const shell::RoundStart start = shell::roundStartOf(app);
    const std::string line = shell::roundLine(start);
    EXPECT_EQ(line.substr(line.find(" \"")),
              " \"Lantern\" shown Form4 frmCredits active Form4 hidden Form1 pressed Form4.Image3");
    rt::App fresh;
    shell::setUpGame(fresh);
    EXPECT_EQ(shell::readRoundStart(fresh, shell::splitWords(line)), start);
}

TEST(RoundLine, AReplayPacesARoundFromItsOwnFirstMoment) {
    rt::App app;
    std::istringstream in("round 90000 0 0 \"\" shown Form3 active Form3 pressed Form3.Image3\nseed 2\n"
                          "up Form3 3975 4455\ncatchup 400\nexpect App.Time 90400\n");
    std::ostringstream out, err;
    shell::PacedScript script(app, in, out, err, "round 7");
    shell::Replay replay(app, script, 2);
    shell::setUpGame(app);
    shell::openGame(app);
    replay.catchUp(0);
    EXPECT_EQ(app.now(), 90000);
    EXPECT_TRUE(app.form("Form2").Visible());
    EXPECT_EQ(replay.nextWake(), 200);  // 400 ms of the round, twice as fast
    replay.catchUp(200);
    replay.ended();
    EXPECT_EQ(script.status(), 0) << err.str();
}

}  // namespace

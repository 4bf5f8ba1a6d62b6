// Rounds kept on their own: a session played as a window loop plays it (by the monkey,
// the loop waking late at random), recorded whole and a round at a time. Each round,
// played alone on a fresh program from its `round` line, must pass through the same
// state as the whole session does there: after every one of its lines for a session
// that carries codes and screens from round to round, after every event (and the
// last of each run of clock lines) for the monkey's longer ones. CTest runs both with
// quiet timers asleep and with every tick.
#include "shell/game_start.hpp"
#include "shell/script/driver.hpp"
#include "tests/kept_session.hpp"
#include "timer_mode.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

using kept_session::LiveSession;
using kept_session::linesOf;

// The script played on a fresh program with a dump after each line, or after each
// event: every line but a clock line that another follows. The dumps, one a line
// (empty where none was taken).
std::vector<std::string> dumpsAfter(const std::string& script, bool everyLine) {
    const std::vector<std::string> lines = linesOf(script);
    std::vector<bool> taken(lines.size());
    std::string withDumps;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool clockRun = i + 1 < lines.size() && lines[i].starts_with("catchup ") && lines[i + 1].starts_with("catchup ");
        taken[i] = everyLine || !clockRun;
        withDumps += lines[i] + (taken[i] ? "\ndump\n" : "\n");
    }
    rt::App app;
    std::ostringstream out, err;
    app.setErrorStream(err);
    shell::setUpGame(app);
    shell::openGame(app);
    std::istringstream in(withDumps);
    EXPECT_EQ(shell::playScript(app, in, out, err), 0) << err.str() << script;
    const std::vector<std::string> played = linesOf(out.str());
    std::vector<std::string> dumps(lines.size());
    for (std::size_t i = 0, next = 0; i < lines.size() && next < played.size(); ++i)
        if (taken[i]) dumps[i] = played[next++];
    return dumps;
}

// Where a round's own lines begin: after its `round`, `seed` and `every-tick` lines.
std::size_t firstEvent(const std::vector<std::string>& lines) {
    std::size_t at = 0;
    while (at < lines.size() && (lines[at].starts_with("round ") || lines[at].starts_with("seed ") ||
                                 lines[at] == "every-tick" || lines[at].starts_with("#")))
        ++at;
    return at;
}

// Plays every round alone and the session whole; counts the rounds that carried
// something over (a code, a screen beside the one clicked) in `carrying`.
void expectSameStateAtEveryStep(const LiveSession& played, bool everyLine, int& carrying) {
    const std::vector<std::string> session = linesOf(played.session());
    const std::vector<std::string> sessionDumps = dumpsAfter(played.session(), everyLine);
    std::size_t cursor = 0;
    for (const std::string& round : played.rounds()) {
        const std::vector<std::string> lines = linesOf(round);
        const std::vector<std::string> dumps = dumpsAfter(round, everyLine);
        const std::size_t first = firstEvent(lines);
        const auto closing = std::find(lines.begin() + first, lines.end(), "# How the game stood when it ended.");
        const std::vector<std::string> own(lines.begin() + first, closing);
        const auto at = std::search(session.begin() + cursor, session.end(), own.begin(), own.end());
        ASSERT_NE(at, session.end()) << "a round's lines are not the session's:\n" << round;
        cursor = std::size_t(at - session.begin());
        for (std::size_t k = 0; k < own.size(); ++k) {
            if (dumps[first + k].empty() || sessionDumps[cursor + k].empty()) continue;
            ASSERT_EQ(dumps[first + k], sessionDumps[cursor + k]) << "after line " << first + k + 1 << " of\n" << round;
        }
        cursor += own.size();
        carrying += lines[0].find(" \"\" shown Form") == std::string::npos || lines[0].find("hidden") != std::string::npos;
    }
}

TEST(KeptRounds, EachPlaysAloneThroughTheSameStatesAsItsSession) {
    {
        LiveSession played(7, everyTick());
        played.play(kept_session::kCarryingSession);
        ASSERT_EQ(played.rounds().size(), 5u) << played.session();
        int carrying = 0;
        expectSameStateAtEveryStep(played, true, carrying);
        EXPECT_EQ(carrying, 4);
        EXPECT_TRUE(played.rounds()[3].starts_with("round 28600 ")) << played.rounds()[3];
        EXPECT_NE(played.rounds()[3].find(" shown Form4 frmCredits active frmCredits hidden Form1 pressed frmCredits.Image2"),
                  std::string::npos)
            << played.rounds()[3];
        EXPECT_NE(played.rounds()[4].find(" \"Fig\" shown Form4 active Form4 hidden Form1 pressed Form4.Image3"),
                  std::string::npos)
            << played.rounds()[4];
    }
}

TEST(KeptRounds, MonkeySessionsPlayAloneThroughTheSameStates) {
    int rounds = 0, carrying = 0;
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        LiveSession played(seed, everyTick());
        played.play(seed, 600);
        rounds += int(played.rounds().size());
        expectSameStateAtEveryStep(played, false, carrying);
    }
    EXPECT_GE(rounds, 4);
}

}  // namespace

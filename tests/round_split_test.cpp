// Rounds kept on their own: a session played as a window loop plays it (by the monkey,
// the loop waking late at random), recorded whole and a round at a time. Each round,
// played alone on a fresh program from its `round` line, must pass through the same
// state as the whole session does there: after every one of its lines for a session
// that carries codes and screens from round to round, after every event (and the
// last of each run of clock lines) for the monkey's longer ones. CTest runs both with
// quiet timers asleep and with every tick.
#include "shell/game_start.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/recorder.hpp"
#include "shell/script/script_words.hpp"
#include "shell/values/key_names.hpp"
#include "shell/values/numbers.hpp"
#include "shell/values/state_paths.hpp"
#include "tests/monkey/monkey_player.hpp"
#include "timer_mode.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The rounds as a shelf in memory.
struct Shelf : shell::RoundShelf {
    std::vector<std::string> rounds;
    bool open = false;
    void begin() override {
        EXPECT_FALSE(open);
        rounds.emplace_back();
        open = true;
    }
    void line(const std::string& text) override {
        EXPECT_TRUE(open);
        rounds.back() += text + '\n';
    }
    void end() override {
        EXPECT_TRUE(open);
        open = false;
    }
};

// The monkey's lines as a window system delivers them to a recorded session.
class LiveSession : private shell::WindowInputBox {
public:
    LiveSession(std::uint32_t seed, bool everyTick) : rng_(seed) {
        live_.setErrorStream(errors_);
        live_.setQuietTimersSleep(!everyTick);
        shell::setUpGame(live_, seed % 2 ? std::optional<std::uint32_t>(seed) : std::nullopt);
        recorder_ = std::make_unique<shell::Recorder>(live_, shell::Recorder::To{&session_, "session", &shelf_}, errors_);
        live_.setInputBoxHost(&recorder_->inputBox(*this));
        shell::openGame(live_);
    }

    // The monkey's lines, then the close boxes.
    void play(std::uint32_t playerSeed, int lines) {
        monkey::Player player(live_, playerSeed);
        for (int i = 0; i < lines && live_.Running(); ++i) run(player.nextLine());
        end();
    }
    void play(std::string_view script) {
        for (const std::string& line : linesOf(std::string(script))) run(line);
        end();
    }

    std::string session() const { return session_.str(); }
    const std::vector<std::string>& rounds() const { return shelf_.rounds; }

private:
    // The close boxes; the reload screen has none.
    void end() {
        for (rt::Form* shown : std::vector<rt::Form*>(live_.windows()))
            if (shown->layout().style != rt::WindowStyle::Borderless) recorder_->closeBox(*shown);
        recorder_->ended();
    }

    void run(const std::string& line) {
        const std::vector<shell::Word> words = shell::splitWords(line);
        const std::string& command = words[0].text;
        if (command == "wait") return wakeUntil(live_.now() + *shell::wholeNumber(words[1].text));
        if (command == "answer") return answers_.push_back(words[1].text);
        if (command == "cancel") return answers_.push_back(std::nullopt);
        if (command == "key") return key(words[1].text);
        rt::Form& form = shell::knownScreen(live_, words[1].text.substr(0, words[1].text.find('.')));
        if (command == "close") return recorder_->closeBox(form);
        if (command == "activate") return recorder_->activate(form);
        const auto x = words.size() > 2 ? rt::Single(*shell::number(words[2].text)) : 0.0f;
        const auto y = words.size() > 3 ? rt::Single(*shell::number(words[3].text)) : 0.0f;
        if (command == "move") return recorder_->mouseMove(form, x, y, 0, 0);
        ASSERT_EQ(command, "click") << line;
        const bool right = words.back().text == "right";
        if (words.size() - right == 2) return click(form, centre(form, words[1].text), right);
        click(form, {x, y}, right);
    }

    std::pair<rt::Single, rt::Single> centre(rt::Form& form, const std::string& path) {
        const rt::Rect& r = shell::findControl(form, path.substr(path.find('.') + 1))->rect();
        return {r.left + r.width / 2, r.top + r.height / 2};
    }

    void click(rt::Form& form, std::pair<rt::Single, rt::Single> at, bool right) {
        const int button = right ? rt::kRightButton : rt::kLeftButton;
        if (form.Enabled() && live_.ActiveForm() != &form) recorder_->activate(form);
        recorder_->mouseDown(form, at.first, at.second, button, 0);
        recorder_->mouseUp(form, at.first, at.second, button, 0);
    }

    void key(const std::string& name) {
        const auto stroke = shell::keyNamed(name);
        if (stroke->character) recorder_->keyPress(*stroke->character);
        recorder_->keyUp(stroke->keyCode, stroke->shift);
    }

    // The loop wakes for each tick, now and then late.
    void wakeUntil(rt::Millis until) {
        for (auto next = live_.nextTick(); next && *next <= until; next = live_.nextTick())
            recorder_->catchUp(std::min(until, *next + lateness()));
        recorder_->catchUp(until);
    }
    rt::Millis lateness() {
        const int roll = std::uniform_int_distribution<int>(0, 99)(rng_);
        return roll < 80 ? 0 : roll < 97 ? roll - 80 : roll * 3;
    }

    std::optional<std::string> ask(std::string_view, std::string_view) override {
        if (answers_.empty()) return std::nullopt;
        auto answer = answers_.front();
        answers_.erase(answers_.begin());
        return answer;
    }
    void show(std::string_view, std::string_view, const std::optional<std::string>&, double) override {}

    std::mt19937 rng_;
    rt::App live_;
    std::ostringstream session_, errors_;
    Shelf shelf_;
    std::unique_ptr<shell::Recorder> recorder_;
    std::vector<std::optional<std::string>> answers_;
};

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

// Rounds begun from the help screen; from the reload screen after the code that
// closes the game screen (the menu hidden, that code still set); from a result screen
// with the reload screen still up; from the reload screen behind a result screen, with
// the clock frozen; and from a result screen alone, the closing code still set.
constexpr std::string_view kCarryingSession = R"(click Form1.Image7
wait 700
click Form7.Image2
wait 1500
click Form2 300 7650
answer Lantern
key Up
activate Form2
answer Fig
key Up
wait 400
click frmCredits.Image2
wait 1200
answer 47
key Up
wait 3000
answer Lantern
key Up
wait 8000
click Form2.Image8
wait 500
click Form4.Image3
wait 2000
answer 47
key Up
wait 10500
click Form2.Image8
wait 800
click frmCredits.Image2
wait 2500
answer Cobra
key Up
wait 4000
answer Fig
key Up
wait 300
click Form4.Image3
wait 100
)";

TEST(KeptRounds, EachPlaysAloneThroughTheSameStatesAsItsSession) {
    {
        LiveSession played(7, everyTick());
        played.play(kCarryingSession);
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

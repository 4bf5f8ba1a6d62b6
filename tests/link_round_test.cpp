// Links to rounds, made by playing the round: a round played back from its link
// reaches the same state after every input as the round it came from, over rounds
// whose window loop woke late at random, a desktop recording and the monkey's
// sessions; and the command line's --link and links in place of script files.
#include "game/rules_version.hpp"
#include "shell/game_start.hpp"
#include "runtime/value.hpp"
#include "shell/link/round_tape.hpp"
#include "shell/link/start_words.hpp"
#include "shell/rounds/round_names.hpp"
#include "shell/program/command_line.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/input_commands.hpp"
#include "shell/script/script_commands.hpp"
#include "shell/values/key_names.hpp"
#include "shell/script/state_dump.hpp"
#include "tests/late_session.hpp"
#include "tests/kept_session.hpp"
#include "tests/monkey/monkey_session.hpp"
#include "tests/state_home.hpp"
#include "tests/temp_file.hpp"
#include "tests/timer_mode.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A program of its own that runs script lines through the driver's commands.
class Program {
public:
    Program() : box_(err_), session_{app, box_, out_, noShots_, hearing_} {
        app.setErrorStream(err_);
        app.setInputBoxHost(&box_);
        shell::setUpGame(app);
        shell::openGame(app);
    }
    ~Program() { app.setInputBoxHost(nullptr); }
    void run(std::string_view line) {
        if (const auto words = shell::splitWords(line); !words.empty()) shell::runCommand(session_, words);
    }

    rt::App app;

private:
    std::ostringstream out_, err_;
    shell::ScriptedInputBox box_;
    shell::ShotWriter noShots_;
    sound::Hearing hearing_{app, true};
    shell::Session session_;
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!shell::splitWords(line).empty()) lines.push_back(line);
    return lines;
}

std::string command(const std::string& line) { return shell::splitWords(line)[0].text; }

bool isClockLine(const std::string& line) { return command(line) == "wait" || command(line) == "catchup"; }
bool isEvent(const std::string& c) {
    return c == "down" || c == "up" || c == "move" || c == "keypress" || c == "keyup" || c == "activate" ||
           c == "close";
}

// The single events of an input line as a link writes them: a `click` is an activation,
// a button down and up; a `key` is a key pressed and let go. Those that changed nothing
// may be left out of the link.
std::vector<std::string> eventsOf(rt::App& app, const std::string& line) {
    const auto words = shell::splitWords(line);
    if (isEvent(words[0].text)) return {line};
    if (words[0].text == "key") {
        const shell::KeyStroke stroke = *shell::keyNamed(words[1].text);
        std::vector<std::string> events;
        if (stroke.character) events.push_back("keypress " + std::to_string(*stroke.character));
        events.push_back("keyup " + std::to_string(stroke.keyCode) + (stroke.shift ? " 1" : ""));
        return events;
    }
    if (words[0].text != "click") return {};
    const shell::ClickAt at = shell::clickAt(app, words);
    const shell::ScreenNames screens = shell::gameScreens();
    shell::Step step;
    step.screen = int(std::find(screens.begin(), screens.end(), at.form.name()) - screens.begin());
    step.x = at.x;
    step.y = at.y;
    step.button = at.button;
    std::vector<std::string> events{"activate " + std::string(at.form.name())};
    for (const auto kind : {shell::Step::Kind::Down, shell::Step::Kind::Up}) {
        step.kind = kind;
        events.push_back(shell::stepLine(step, screens));
    }
    return events;
}

// The decoded script played beside the original: the clock moved as far as a moment,
// never past it, and the link's events matched to the original's.
class LinkPlayer {
public:
    explicit LinkPlayer(const std::string& script) {
        rt::Millis now = 0;
        for (const std::string& line : linesOf(script)) {
            // A round kept on its own starts at its own time.
            if (command(line) == "round") now = std::stoll(shell::splitWords(line)[1].text);
            const rt::Millis start = now;
            if (isClockLine(line)) now += std::stoll(shell::splitWords(line)[1].text);
            items_.push_back({line, start, now});
        }
    }

    // Plays what comes before `moment`, and the events at it up to one that is `event`
    // (played too); what is left at the moment waits. False when the link has an event
    // before the moment that the original did not have.
    bool playUntil(rt::Millis moment, const std::string* event) {
        for (; next_ < items_.size(); ++next_) {
            const Item& item = items_[next_];
            if (command(item.line) == "wait") {
                b.app.advanceTo(std::min(item.end, moment));
                if (item.end > moment) return true;
            } else if (command(item.line) == "catchup") {
                if (item.end > moment) return true;
                b.run(item.line);
            } else if (isEvent(command(item.line))) {
                if (item.start > moment || (event && item.line != *event)) return item.start >= moment;
                b.run(item.line);
                if (event) return ++next_, true;
            } else {
                b.run(item.line);
            }
        }
        return true;
    }
    bool done() const { return next_ == items_.size(); }

    Program b;

private:
    struct Item {
        std::string line;
        rt::Millis start, end;
    };
    std::vector<Item> items_;
    std::size_t next_ = 0;
};

// Plays the original script and the script of its link side by side, and compares
// their states (as `dump` shows them) after every input of the original, and at the end;
// the original has at least `inputs` inputs.
void expectSameStates(const std::string& original, const std::string& fromLink, int inputs = 11) {
    Program a;
    LinkPlayer link(fromLink);
    const std::vector<std::string> lines = linesOf(original);
    int compared = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string c = command(lines[i]);
        if (c == "expect" || c == "print" || c == "dump") continue;
        const std::vector<std::string> events = eventsOf(a.app, lines[i]);
        a.run(lines[i]);
        if (events.empty()) continue;
        for (const std::string& event : events)
            ASSERT_TRUE(link.playUntil(a.app.now(), &event)) << "line " << i + 1 << ": " << lines[i];
        ASSERT_EQ(shell::stateJson(link.b.app), shell::stateJson(a.app)) << "after line " << i + 1 << ": " << lines[i];
        ++compared;
    }
    link.playUntil(std::numeric_limits<rt::Millis>::max(), nullptr);
    EXPECT_TRUE(link.done());
    EXPECT_EQ(link.b.app.now(), a.app.now());
    EXPECT_EQ(shell::stateJson(link.b.app), shell::stateJson(a.app)) << "at the end";
    EXPECT_GE(compared, inputs);
}

// The script a round's link plays, by way of the bits of the link.
std::string linkScript(const std::string& original) {
    std::istringstream in(original);
    const shell::Tape tape = shell::roundTape(in, "the round");
    const shell::TapeRules rules = shell::gameTapeRules();
    const shell::Tape back = shell::unpackTape(shell::packTape(tape, rules), rules);
    EXPECT_EQ(back, tape);
    std::string script;
    for (const std::string& line : shell::scriptLines(back, shell::gameScreens())) script += line + '\n';
    return script;
}

std::string linkOf(const std::string& original) {
    std::istringstream in(original);
    return shell::roundLink(in, "the round", "https://krax.example/");
}

std::string fileText(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

const std::string kDesktopRound = fileText(KRAX_SOURCE_DIR "/tests/rounds/desktop_round.script");

TEST(RoundLink, RoundsWhoseLoopWokeLateAtRandomPlayBackAlikeAfterEveryInput) {
    using late_session::Style;
    std::vector<std::pair<Style, std::uint32_t>> rounds{
        {Style::Steady, 1u}, {Style::Aiming, 1u}, {Style::Aiming, 2u}, {Style::Restless, 1u}};
    // Recorded with every tick, a round has thrice the wake-ups: one is enough.
    if (everyTick()) rounds.resize(1);
    for (const auto& [style, seed] : rounds) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", style " + std::to_string(int(style)));
        const std::string round = late_session::humanRound(seed, style);
        expectSameStates(round, linkScript(round));
    }
}

TEST(RoundLink, ADesktopRecordingPlaysBackAlikeAfterEveryInput) {
    expectSameStates(kDesktopRound, linkScript(kDesktopRound));
}

// Where a script leaves a freshly started program, as `dump` shows it.
std::string endState(const std::string& script) {
    rt::App app;
    shell::setUpGame(app);
    shell::openGame(app);
    std::istringstream in(script);
    std::ostringstream out, err;
    EXPECT_EQ(shell::playScript(app, in, out, err), 0) << err.str();
    return shell::stateJson(app);
}

// A kept round starts where the round before left the program: its `round` line, with
// the screens by name and the code quoted, comes back from the link as it was.
TEST(RoundLink, AKeptRoundPlaysBackFromItsStart) {
    const std::string kept = fileText(KRAX_SOURCE_DIR "/tests/scenarios/kept_round.script");
    const std::string script = linkScript(kept);
    EXPECT_NE(script.find("round 75210 4 1 \"Fig\" shown Form4 frmCredits active Form4 hidden Form1 "
                          "pressed Form4.Image3\n"), std::string::npos) << script;
    EXPECT_EQ(endState(script), endState(kept));
    for (const char* code : {"", "47", "two words", "shown"}) {
        const std::string round = "round 1000 0 0 " + rt::quoted(code) + " shown Form4 active Form4 pressed Form4.Image3\n"
                                  "seed 3\nup Form4 3975 4455\ncatchup 2000\n";
        const std::string back = linkScript(round);
        EXPECT_NE(back.find("round 1000 0 0 " + rt::quoted(code) + " shown"), std::string::npos) << back;
        EXPECT_EQ(endState(back), endState(round)) << code;
    }
}

TEST(RoundLink, MonkeySessionsPlayBackAlike) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE("monkey " + std::to_string(seed));
        std::ostringstream transcript;
        transcript << "seed " << 7000 + seed << '\n';
        monkey::Reached reached;
        int events = 600;
        monkey::playSession(seed, 7000 + seed, events, transcript, reached);
        expectSameStates(transcript.str(), linkScript(transcript.str()));
    }
}

// A kept round starts where the round before left the program: after the code that
// hides the menu, with the reload screen a code raised, with a code still set. Its link
// states the same start, through the same `round` line, and plays alike from there.
TEST(RoundLink, KeptRoundsPlayBackAlikeFromWhereTheRoundBeforeLeftThem) {
    std::vector<std::string> rounds;
    kept_session::LiveSession carrying(7, everyTick());
    carrying.play(kept_session::kCarryingSession);
    ASSERT_EQ(carrying.rounds().size(), 5u);
    rounds = carrying.rounds();
    for (std::uint32_t seed = 1; seed <= (everyTick() ? 1u : 3u); ++seed) {
        kept_session::LiveSession monkey(seed, everyTick());
        monkey.play(seed, 600);
        rounds.insert(rounds.end(), monkey.rounds().begin(), monkey.rounds().end());
    }
    int carried = 0;
    for (std::size_t r = 0; r < rounds.size(); ++r) {
        SCOPED_TRACE("round " + std::to_string(r + 1) + ":\n" + rounds[r]);
        const std::string script = linkScript(rounds[r]);
        const std::string start = linesOf(rounds[r])[0];
        ASSERT_TRUE(start.starts_with("round "));
        EXPECT_EQ(linesOf(script)[1], start);
        expectSameStates(rounds[r], script, 1);
        carried += start.find(" hidden ") != std::string::npos || start.find(" \"\" ") == std::string::npos;
    }
    EXPECT_GE(carried, 4);
}

TEST(RoundLink, ALinkWhoseRoundStartsWhereNoRoundCanIsRefusedInOneLine) {
    const shell::ScreenNames screens = shell::gameScreens();
    const auto linkFrom = [](std::vector<shell::StartWord> start) {
        return shell::linkTo("https://krax.example/", shell::Tape{game::kRulesVersion, 1, std::move(start), {}, 1000},
                             shell::gameTapeRules());
    };
    const auto refusal = [](const std::string& link) -> std::string {
        try {
            shell::scriptOfLink(link);
        } catch (const shell::LinkError& e) {
            return e.what();
        }
        return "played";
    };
    // The reload screen behind a result screen, the menu hidden, a code set.
    const shell::RoundStart good{28600, 4, 1, "F\"i\\g", {"Form4", "frmCredits"}, "frmCredits", {"Form1"},
                                 "frmCredits.Image2"};
    EXPECT_NE(shell::scriptOfLink(linkFrom(shell::startWords(good, screens))).find('\n' + shell::roundLine(good) + '\n'),
              std::string::npos);
    const std::pair<void (*)(shell::RoundStart&), std::string_view> noRoundLeaves[] = {
        {[](shell::RoundStart& s) { s.appearRoll = 11; }, "expected a whole number from 0 to 10, not 11"},
        {[](shell::RoundStart& s) { s.blinkPhase = -1; }, "expected a whole number from 0 to 1, not -1"},
        {[](shell::RoundStart& s) { s.time = -5; }, "not -5"},
        {[](shell::RoundStart& s) { s.shown.push_back("Form2"); }, "a round begins with Form2 not loaded"},
        {[](shell::RoundStart& s) { s.shown.push_back("Form4"); }, "Form4 is named twice"},
        {[](shell::RoundStart& s) { s.active = "Form1"; }, "the active screen must be a shown one"},
        {[](shell::RoundStart& s) { s.hidden = {"Form3"}; }, "no round leaves Form3 loaded and hidden"},
        {[](shell::RoundStart& s) { s.pressed = "Form4.Image8"; }, "pressed must name the button of a shown screen"},
        {[](shell::RoundStart& s) { s.pressed = "frmCredits.Image2 pressed"; }, "usage: round TIME"},
        {[](shell::RoundStart& s) { s = {0, 0, 0, "Fig", {"Form1"}, "Form1", {}, "Form1.Image5"}; },
         "before the first round one screen is shown alone"},
    };
    for (const auto& [change, why] : noRoundLeaves) {
        shell::RoundStart start = good;
        change(start);
        const std::string said = refusal(linkFrom(shell::startWords(start, screens)));
        EXPECT_TRUE(said.starts_with("the link's round starts where no round can: ")) << said;
        EXPECT_NE(said.find(why), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), std::string::npos) << said;
    }
    // Words that are no start at all.
    std::vector<shell::StartWord> words = shell::startWords(good, screens);
    const auto damaged = [&](std::vector<shell::StartWord> start, std::string_view why) {
        EXPECT_EQ(refusal(linkFrom(std::move(start))), "the link is damaged: its round starts with " + std::string(why));
    };
    damaged({words.begin(), words.end() - 1}, "fewer words than a start has");
    damaged([&] { auto w = words; w.push_back(w.back()); return w; }(), "more words than a start has");
    damaged([&] { auto w = words; w[3] = {false, 7, {}}; return w; }(), "a number where a text goes");
    damaged([&] { auto w = words; w[1] = {true, 0, "4"}; return w; }(), "a text where a number goes");
    damaged([&] { auto w = words; w[5] = {false, std::int64_t(screens.size()), {}}; return w; }(), "a screen that is none");
    damaged([&] { auto w = words; w[4] = {false, 99, {}}; return w; }(), "more screens than there are");
    damaged([&] { auto w = words; w[1] = {false, std::int64_t(1) << 40, {}}; return w; }(), "a number out of range");
    // On the command line: one line, nothing played.
    shell::RoundStart lantern = good;
    lantern.hidden = {"Form7"};
    std::istringstream in;
    std::ostringstream out, err;
    const std::string link = linkFrom(shell::startWords(lantern, screens));
    EXPECT_EQ(shell::runCommandLine({{"--headless", "--script", link}}, in, out, err, {}), 2);
    EXPECT_EQ(err.str(), "krax: the link's round starts where no round can: no round leaves Form7 loaded and hidden\n");
    EXPECT_EQ(out.str(), "");
}

TEST(RoundLink, TheLinkLeavesOutWhatChangedNothingAndKeepsEveryPress) {
    // The menu has no timers and no handler for moves or keys; a press on its bare
    // ground changes no value but is kept, since it decides where the click lands.
    const std::string menu = "seed 5\ncatchup 400\nmove Form1 100 100\ndown Form1 100 100\nup Form1 100 100\n"
                             "catchup 100\nmove Form1 200 200\nkeypress 65\nkeyup 65\n"
                             "down Form1 5265 5145\ncatchup 10\nup Form1 5265 5145\n";
    EXPECT_EQ(linkScript(menu), "seed 5\nwait 400\ndown Form1 100 100\nup Form1 100 100\nwait 100\n"
                                "down Form1 5265 5145\nwait 10\nup Form1 5265 5145\n");
    // On the game screen the gun turns only where the pointer crosses the middle.
    const std::string round = menu + "wait 1000\nmove Form2 4000 7650\nwait 20\nmove Form2 4100 7650\n"
                                     "move Form2 300 7650\nkey R\n";
    const std::string script = linkScript(round);
    EXPECT_NE(script.find("wait 1000\nmove Form2 4000 7650\nwait 20\nmove Form2 300 7650\n"), std::string::npos)
        << script;
    EXPECT_EQ(script.find("keypress"), std::string::npos);  // six carrots already
    expectSameStates(round, script);
}

TEST(RoundLink, ATapePlaysAsTheScriptOfItsStepsAfterWaitsToTheirMoments) {
    const shell::RoundStart start{2000, 3, 1, "Fig \"1\"", {"Form4"}, "Form4", {"Form1"}, "Form4.Image3"};
    shell::Tape tape{game::kRulesVersion, 42, shell::startWords(start, shell::gameScreens()), {}, 5000};
    shell::Step down;
    down.kind = shell::Step::Kind::Down;
    down.at = 400;
    down.x = 5265;
    down.y = 5145.5f;
    down.button = 2;
    shell::Step catchUp;
    catchUp.kind = shell::Step::Kind::CatchUp;
    catchUp.at = 400;
    catchUp.length = 30;
    shell::Step answer;
    answer.kind = shell::Step::Kind::Answer;
    answer.at = 1000;
    answer.text = "47";
    tape.steps = {down, catchUp, answer};
    std::string script;
    for (const std::string& line : shell::scriptLines(tape, shell::gameScreens())) script += line + '\n';
    EXPECT_EQ(script, "seed 42\nround 2000 3 1 \"Fig \\\"1\\\"\" shown Form4 active Form4 hidden Form1 pressed Form4.Image3\n"
                      "wait 400\ndown Form1 5265 5145.5 right\ncatchup 30\n"
                      "wait 570\nanswer \"47\"\nwait 4000\n");
}

TEST(RoundLink, ALinkHoldsOnlyWhatAPlayerDoes) {
    for (const char* line : {"set Form2.intHits 5", "shot Form1 x.png", "catchup -1", "frobnicate"}) {
        std::istringstream in(std::string("click Form1.Image5\n") + line + "\n");
        try {
            shell::roundTape(in, "the round");
            ADD_FAILURE() << line;
        } catch (const shell::TapeRefused& e) {
            EXPECT_TRUE(std::string(e.what()).starts_with("line 2: ")) << e.what();
        }
    }
    std::istringstream failing("click Form1.Image5\nexpect Form2.intHits 3\n");
    EXPECT_THROW(shell::roundTape(failing, "the round"), shell::TapeRefused);
}

TEST(RoundLink, LengthsOfTheTestRoundsAgainstAChatMessage) {
    if (everyTick()) GTEST_SKIP() << "the lengths are of rounds as the game plays them";
    const std::string desktop = linkOf(kDesktopRound);
    std::cout << "desktop round (" << kDesktopRound.size() << " bytes of script): " << desktop.size()
              << " characters\n";
    EXPECT_LE(desktop.size(), 2000u);
    using late_session::Style;
    for (const auto& [style, name] : {std::pair{Style::Aiming, "aiming"}, std::pair{Style::Restless, "restless pointer"},
                                      std::pair{Style::Steady, "steady fire"}}) {
        late_session::Figures figures;
        std::string kept;
        const std::string round = late_session::humanRound(3, style, &figures, &kept);
        const std::string link = linkOf(round);
        const std::string keptLink = linkOf(kept);
        std::cout << name << ": " << figures.clicks << " clicks, " << figures.moves << " moves, " << figures.keys
                  << " keys, " << std::count(round.begin(), round.end(), '\n') << " lines, " << round.size()
                  << " bytes of script: " << link.size() << " characters; kept on its own: " << keptLink.size()
                  << " characters\n";
        EXPECT_LE(link.size(), 2000u);
        EXPECT_LE(keptLink.size(), 2000u);
    }
}

struct Ran {
    int status;
    std::string out, err;
};

Ran krax(std::vector<std::string_view> args) {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = shell::runCommandLine(args, in, out, err, {});
    return {status, out.str(), err.str()};
}

std::string writeTemp(const std::string& name, const std::string& text) {
    const std::string path = ownTempFile(name).generic_string();
    std::ofstream(path) << text;
    return path;
}

TEST(LinkCommand, PrintsTheLinkThatPlaysTheRoundToItsEnd) {
    const std::string path = writeTemp("desktop_round.script", kDesktopRound);
    const Ran made = krax({"--link", path, "--site", "https://example.org/krax/"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_TRUE(made.out.starts_with("https://example.org/krax/#r=A"));
    EXPECT_EQ(linesOf(made.out).size(), 1u);
    const std::string link = made.out.substr(0, made.out.size() - 1);
    const Ran played = krax({"--headless", "--script", link});
    EXPECT_EQ(played.status, 0) << played.err;
    EXPECT_EQ(played.err, "");
    // A link of a link is the same link.
    EXPECT_EQ(krax({"--link", link, "--site", "https://example.org/krax/"}).out, made.out);
    std::filesystem::remove(path);
}

TEST(LinkCommand, ADamagedOrForeignLinkSaysSoInOneLineAndPlaysNothing) {
    const std::string path = writeTemp("short_round.script", "seed 1\nclick Form1.Image5\nwait 3000\nclick Form2 300 7650\n");
    const Ran made = krax({"--link", path});
    ASSERT_EQ(made.status, 0) << made.err;
    std::string link = made.out.substr(0, made.out.size() - 1);
    const std::size_t payload = link.find("#r=") + 3;
    const auto says = [](const Ran& run, std::string_view message) {
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, "krax: " + std::string(message) + "\n");
        EXPECT_EQ(run.out, "");
    };
    says(krax({"--headless", "--script", link.substr(0, link.size() - 4)}), "the link is damaged: it ends too soon");
    says(krax({"--headless", "--script", link.substr(0, payload) + "C" + link.substr(payload + 1)}),
         "the link is of a newer format (9) than this KRAX reads (1); a newer KRAX plays it");
    const std::string newer = shell::linkTo("https://krax.example/", shell::Tape{game::kRulesVersion + 1, 0, {}, {}, 0},
                                            shell::gameTapeRules());
    const std::string version = std::to_string(game::kRulesVersion);
    says(krax({"--headless", "--script", newer}),
         "the round was played by newer rules (version " + std::to_string(game::kRulesVersion + 1) +
             ") than this KRAX's (version " + version + "); a newer KRAX plays it");
    says(krax({"--headless", "--script", "https://krax.example/#r=AQ"}), "the link is damaged: it ends too soon");
    std::filesystem::remove(path);
}

TEST(LinkCommand, AFileOfTheLinksNameComesFirst) {
    const std::string path = writeTemp("#r=odd.script", "wait 10\n");
    const Ran played = krax({"--headless", "--script", path});
    EXPECT_EQ(played.status, 0) << played.err;
    std::filesystem::remove(path);
}

TEST(LinkCommand, ARoundTooLongForALinkIsOneLineAndStatusOne) {
    // Presses all over the menu's bare ground, each a point of its own.
    std::string many = "seed 1\n";
    std::mt19937 rng(7);
    for (int i = 0; i < 5000; ++i) {
        const std::string point = std::to_string(15 * (rng() % 400)) + ' ' + std::to_string(15 * (rng() % 290));
        many += "down Form1 " + point + "\nup Form1 " + point + "\n";
    }
    const std::string path = writeTemp("long_round.script", many);
    const Ran made = krax({"--link", path});
    EXPECT_EQ(made.status, 1);
    EXPECT_TRUE(made.err.starts_with("krax: the round is too long for a link: it takes ")) << made.err;
    EXPECT_EQ(linesOf(made.err).size(), 1u);
    EXPECT_EQ(made.out, "");
    std::filesystem::remove(path);
}

// `last` and a kept round's number name a kept round wherever a script does, and so
// make its link; a file of that name comes first.
TEST(LinkCommand, LastOrANumberMakesTheLinkOfAKeptRound) {
    const OwnStateHome home("link_kept_rounds");
    const std::filesystem::path folder = *shell::roundsFolder();
    std::filesystem::create_directories(folder);
    kept_session::LiveSession played(7, everyTick());
    played.play(kept_session::kCarryingSession);
    for (std::size_t r = 0; r < played.rounds().size(); ++r)
        std::ofstream(folder / shell::roundFileName(r + 1), std::ios::binary) << played.rounds()[r];
    const Ran last = krax({"--link", "last"});
    ASSERT_EQ(last.status, 0) << last.err;
    EXPECT_EQ(last.out, krax({"--link", "5"}).out);
    const Ran fourth = krax({"--link", "4"});
    ASSERT_EQ(fourth.status, 0) << fourth.err;
    EXPECT_NE(fourth.out, last.out);
    const std::string link = fourth.out.substr(0, fourth.out.size() - 1);
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(shell::runCommandLine({{"--headless", "--script", link}}, in, out, err, {}), 0) << err.str();
    EXPECT_NE(shell::scriptOfLink(link).find(linesOf(played.rounds()[3])[0]), std::string::npos);
    const Ran missing = krax({"--link", "9"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.starts_with("krax: cannot read script 9: no such round is kept in ")) << missing.err;
    EXPECT_EQ(linesOf(missing.err).size(), 1u);
}

TEST(LinkCommand, LinkGoesWithSiteAlone) {
    EXPECT_EQ(krax({"--link", "x", "--headless"}).status, 2);
    EXPECT_EQ(krax({"--site", "https://example.org/"}).err, "krax: --site is for --link\n");
    const Ran refused = krax({"--link", writeTemp("set.script", "set Form2.intHits 3\n")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.starts_with("krax: no link can hold script ")) << refused.err;
}

}  // namespace

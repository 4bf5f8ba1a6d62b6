// The kept rounds: their folder and files, what a list of them shows, which go and
// which stay, and what a game keeps when it is killed, when the disk is full, when the
// folder cannot be made, and beside files that are no rounds.
#include "shell/game_start.hpp"
#include "shell/program/command_line.hpp"
#include "shell/rounds/round_folder.hpp"
#include "shell/rounds/round_keeper.hpp"
#include "shell/rounds/round_names.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/recorder.hpp"
#include "state_home.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

std::string readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// A finished round as the recorder writes one, `hits` and `ms` long.
std::string finishedRound(int hits, int ms) {
    return "# a round\nround 0 0 0 \"\" shown Form1 active Form1 pressed Form1.Image5\nseed 1\nup Form1 5265 5145\n"
           "catchup " + std::to_string(ms) + "\n# How the game stood when it ended.\nexpect App.Time " +
           std::to_string(ms) + "\nexpect Form2.intHits " + std::to_string(hits) + "\n";
}

int playText(const std::string& text, std::string* err = nullptr) {
    rt::App app;
    std::ostringstream out, errors;
    shell::setUpGame(app);
    shell::openGame(app);
    std::istringstream in(text);
    const int status = shell::playScript(app, in, out, errors);
    if (err) *err = errors.str();
    return status;
}

// A window session without windows, its rounds kept: START, and rounds cut short by
// the code that sets the clock to 10, each played to its end, Continue and Play Again.
class KeptSession : private shell::WindowInputBox {
public:
    KeptSession(shell::RoundShelf& rounds, std::ostream& err) : recorder_(live_, {nullptr, "", &rounds}, err) {
        live_.setErrorStream(err);
        shell::setUpGame(live_, 5);
        live_.setInputBoxHost(&recorder_.inputBox(*this));
        shell::openGame(live_);
    }

    rt::App& app() { return live_; }

    void start() {
        wake(400);
        click("Form1", "Image5");
    }
    void shortRound() {
        wake(800);
        click("Form2", "bullet1");  // a shot at the ground, on the carrot row
        recorder_.keyUp(38, 0);     // the code box: 47
        while (!continueButton()) wake(live_.nextTick().value());
        wake(600);
        click("Form2", continueButton());
        wake(900);
        click("Form4", "Image3");  // Play Again
    }
    void end() {
        recorder_.closeBox(live_.form("Form2"));
        recorder_.ended();
    }
    void wake(rt::Millis after) { recorder_.catchUp(live_.now() + after); }

private:
    const char* continueButton() {
        for (const char* button : {"Image8", "Image10", "Image11", "Image12"})
            if (live_.form("Form2").control(button).Visible()) return button;
        return nullptr;
    }
    void click(const char* screen, const char* control) {
        rt::Form& form = live_.form(screen);
        const rt::Rect& r = form.control(control).rect();
        recorder_.mouseDown(form, r.left + r.width / 2, r.top + r.height / 2, rt::kLeftButton, 0);
        recorder_.mouseUp(form, r.left + r.width / 2, r.top + r.height / 2, rt::kLeftButton, 0);
    }
    std::optional<std::string> ask(std::string_view, std::string_view) override { return "47"; }
    void show(std::string_view, std::string_view, const std::optional<std::string>&, double) override {}

    rt::App live_;
    shell::Recorder recorder_;
};

std::vector<std::uint64_t> numbers(const std::vector<shell::KeptRound>& rounds) {
    std::vector<std::uint64_t> all;
    for (const auto& round : rounds) all.push_back(round.number);
    return all;
}

TEST(KeptRounds, FilesAreNamedByTheirNumberAlone) {
    EXPECT_EQ(shell::roundFileName(42), "round-000042.script");
    EXPECT_EQ(shell::roundFileName(12345678), "round-12345678.script");
    EXPECT_EQ(shell::roundNumberOf("a/round-000042.script"), 42u);
    EXPECT_EQ(shell::roundNumberOf("round-12345678.script"), 12345678u);
    for (const char* foreign : {"round-42.script", "round-0000042.script", "round-00004a.script", "round-000042.txt",
                                "notes.txt", "round-.script"})
        EXPECT_EQ(shell::roundNumberOf(foreign), std::nullopt) << foreign;
    const OwnStateHome home("names_home");
#ifdef _WIN32
    EXPECT_EQ(shell::roundsFolder(), home.home() / "KRAX" / "rounds");
#else
    EXPECT_EQ(shell::roundsFolder(), home.home() / "krax" / "rounds");
#endif
}

TEST(KeptRounds, EveryRoundOfASessionIsKeptAndPlaysAlone) {
    const OwnStateHome home("session_home");
    std::ostringstream err;
    shell::RoundKeeper keeper(*shell::roundsFolder(), 100, err);
    KeptSession session(keeper, err);
    session.start();
    session.shortRound();
    session.shortRound();
    session.wake(2500);
    session.end();
    keeper.tidy();
    EXPECT_EQ(err.str(), "");

    shell::RoundFolder folder(*shell::roundsFolder(), err);
    const std::vector<shell::KeptRound> rounds = folder.rounds();
    ASSERT_EQ(numbers(rounds), (std::vector<std::uint64_t>{3, 2, 1}));
    EXPECT_EQ(rounds[2].hits, 0);
    EXPECT_GT(rounds[2].length, 10000);
    EXPECT_EQ(rounds[0].length, 2500);
    for (const shell::KeptRound& round : rounds) {
        const std::string text = readAll(round.file);
        EXPECT_TRUE(text.starts_with("# Round " + std::to_string(round.number) + " of krax")) << text;
        std::string said;
        EXPECT_EQ(playText(text, &said), 0) << said << text;
    }
    EXPECT_NE(readAll(rounds[0].file).find("\nround "), std::string::npos);
    EXPECT_EQ(folder.find("last")->number, 3u);
    EXPECT_EQ(folder.find("2")->number, 2u);
    EXPECT_EQ(folder.find("4"), std::nullopt);
}

TEST(KeptRounds, TheNewestAndTheBestStayAndTheirNumbersWithThem) {
    const OwnStateHome home("tidy_home");
    const std::filesystem::path dir = *shell::roundsFolder();
    std::filesystem::create_directories(dir);
    const int hits[] = {5, 90, 3, 90, 7, 1, 0, 2};
    for (int n = 1; n <= 8; ++n) writeAll(dir / shell::roundFileName(std::uint64_t(n)), finishedRound(hits[n - 1], 1000 * n));
    std::ostringstream err;
    shell::RoundFolder folder(dir, err);
    folder.tidy(3, 2);  // rounds 6 to 8, and the first two of 90 hits
    EXPECT_EQ(numbers(folder.rounds()), (std::vector<std::uint64_t>{8, 7, 6, 4, 2}));
    std::uint64_t number = 0;
    std::error_code error;
    EXPECT_NE(folder.make(number, error), nullptr) << error.message();
    EXPECT_EQ(number, 9u);
    EXPECT_EQ(err.str(), "");
}

// When a game ends, the rounds it kept push the oldest out; a game that kept no round
// lets none go.
TEST(KeptRounds, AGameThatKeptRoundsLetsTheOldestGoWhenItEnds) {
    const OwnStateHome home("keeper_tidy_home");
    const std::filesystem::path dir = *shell::roundsFolder();
    std::filesystem::create_directories(dir);
    for (int n = 1; n <= 12; ++n) writeAll(dir / shell::roundFileName(std::uint64_t(n)), finishedRound(n, 1000));
    std::ostringstream err;
    {
        shell::RoundKeeper keeper(dir, 2, err);
        KeptSession session(keeper, err);
        session.wake(5000);
        session.end();
        keeper.tidy();
    }
    EXPECT_EQ(numbers(shell::RoundFolder(dir, err).rounds()).size(), 12u);
    shell::RoundKeeper keeper(dir, 2, err);
    KeptSession session(keeper, err);
    session.start();
    session.shortRound();
    session.wake(2500);
    session.end();
    keeper.tidy();
    // The newest two, and the ten with the most hits.
    EXPECT_EQ(numbers(shell::RoundFolder(dir, err).rounds()),
              (std::vector<std::uint64_t>{14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3}));
    EXPECT_EQ(err.str(), "");
}

TEST(KeptRounds, ANewRoundNeverTakesAFileThatIsThere) {
    const OwnStateHome home("new_home");
    const std::filesystem::path dir = *shell::roundsFolder();
    std::filesystem::create_directories(dir);
    std::error_code error;
    auto first = shell::NewFile::make(dir / "x", error);
    ASSERT_NE(first, nullptr) << error.message();
    EXPECT_EQ(shell::NewFile::make(dir / "x", error), nullptr);
    EXPECT_EQ(error, std::errc::file_exists);
    // Two games that look at once: each takes a number of its own.
    std::ostringstream err;
    shell::RoundFolder one(dir, err), other(dir, err);
    std::uint64_t a = 0, b = 0;
    auto fileA = one.make(a, error);
    auto fileB = other.make(b, error);
    ASSERT_TRUE(fileA && fileB);
    EXPECT_EQ(std::vector<std::uint64_t>({a, b}), (std::vector<std::uint64_t>{1, 2}));
}

TEST(KeptRounds, FilesThatAreNoRoundsAreSkippedWithOneLineEach) {
    const OwnStateHome home("damaged_home");
    const std::filesystem::path dir = *shell::roundsFolder();
    std::filesystem::create_directories(dir / "round-000010.script");
    writeAll(dir / "notes.txt", "not a round\n");
    writeAll(dir / "round-000007.script", "\x7f" "ELF\x01\x01 garbage\n");
    writeAll(dir / "round-000008.script", "round 0 0 0 \"\" shown Form3 active Form3 pressed Form3.Image2\n");
    writeAll(dir / "round-000009.script", finishedRound(12, 3000));
    std::ostringstream err;
    shell::RoundFolder folder(dir, err);
    EXPECT_EQ(numbers(folder.rounds()), std::vector<std::uint64_t>{9});
    const std::string said = err.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 4) << said;
    for (const char* name : {"notes.txt", "round-000007.script", "round-000008.script", "round-000010.script"})
        EXPECT_NE(said.find(shell::utf8(dir / name) + ": "), std::string::npos) << name << said;
    EXPECT_NE(said.find("round-000008.script: pressed must name the button"), std::string::npos) << said;
    EXPECT_EQ(folder.find("last")->number, 9u);
    EXPECT_EQ(folder.find("7"), std::nullopt);
    EXPECT_EQ(err.str(), said);  // each said once
    std::uint64_t number = 0;
    std::error_code error;
    folder.make(number, error);
    EXPECT_EQ(number, 11u);
}

// A file larger than hours of play is not read at all; a round cut before its end is
// played to find its hits and length.
TEST(KeptRounds, AFileTooLargeIsSkippedAndARoundWithoutItsEndIsPlayed) {
    const OwnStateHome home("large_home");
    const std::filesystem::path dir = *shell::roundsFolder();
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "round-000001.script").put('\n');
    std::filesystem::resize_file(dir / "round-000001.script", (std::uintmax_t(256) << 20) + 1);  // sparse
    std::filesystem::create_directories(dir / "round-000002.script");
    writeAll(dir / "round-000003.script", "round 500 0 0 \"\" shown Form1 active Form1 pressed Form1.Image5\nseed 1\n"
                                          "up Form1 5265 5145\nset Form2.intHits 7\nwait 1500\n");
    // As large as a round may be, its last line cut: read.
    std::filesystem::copy_file(dir / "round-000003.script", dir / "round-000004.script");
    std::filesystem::resize_file(dir / "round-000004.script", std::uintmax_t(256) << 20);
    std::ostringstream err;
    const std::vector<shell::KeptRound> rounds = shell::RoundFolder(dir, err).rounds();
    ASSERT_EQ(numbers(rounds), (std::vector<std::uint64_t>{4, 3})) << err.str();
    for (const shell::KeptRound& round : rounds) EXPECT_EQ(std::pair(round.hits, round.length), std::pair(7, rt::Millis(1500)));
    const std::string said = err.str();
    EXPECT_NE(said.find(shell::utf8(dir / "round-000001.script") + ": it is larger than any round\n"), std::string::npos)
        << said;
    EXPECT_NE(said.find(shell::utf8(dir / "round-000002.script") + ": "), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
}

TEST(KeptRounds, ARoundCutShortIsPlayedToItsLastWholeLine) {
    const OwnStateHome home("cut_home");
    const std::filesystem::path dir = *shell::roundsFolder();
    std::filesystem::create_directories(dir);
    std::string cut = finishedRound(0, 1500);
    cut = cut.substr(0, cut.find("# How")) + "catchup 1000\ncatchu";
    writeAll(dir / shell::roundFileName(1), cut);
    std::ostringstream err;
    const auto round = shell::RoundFolder(dir, err).find("1");
    ASSERT_TRUE(round) << err.str();
    EXPECT_EQ(round->length, 2500);
    std::string why;
    EXPECT_TRUE(shell::wholeLinesOf(round->file, why)->ends_with("\ncatchup 1500\ncatchup 1000\n"));
}

TEST(KeptRounds, TheListSaysNumberDateHitsAndLength) {
    std::ostringstream out;
    shell::listRounds({{12, "x", std::chrono::system_clock::now(), 97, 62400}, {3, "y", {}, -5, 9000}, {1, "z", {}, 0, 59999},
                       {0, "w", {}, 0, 60000}},
                      out);
    EXPECT_TRUE(std::regex_match(out.str(), std::regex("    12  \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d    97 hits  1:02\n"
                                                       "     3  \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d    -5 hits  0:09\n"
                                                       "     1  \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d     0 hits  0:59\n"
                                                       "     0  \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d     0 hits  1:00\n")))
        << out.str();
}

// What stands before a round's `round` line: how the game plays (its seed, a tick of
// every timer) is passed over; any other line means the file holds no round.
TEST(KeptRounds, ARoundStartsAfterItsSeedAndTimerLinesAndNothingElse) {
    const OwnStateHome home("start_home");
    const std::filesystem::path dir = *shell::roundsFolder();
    std::filesystem::create_directories(dir);
    writeAll(dir / shell::roundFileName(1), "seed 3\nevery-tick\n" + finishedRound(4, 1000));
    writeAll(dir / shell::roundFileName(2), "every-tick\nseed 3\n" + finishedRound(5, 1000));
    writeAll(dir / shell::roundFileName(3), "seed 3\nup Form1 5265 5145\n" + finishedRound(6, 1000));
    std::ostringstream err;
    const std::vector<shell::KeptRound> rounds = shell::RoundFolder(dir, err).rounds();
    ASSERT_EQ(numbers(rounds), (std::vector<std::uint64_t>{2, 1})) << err.str();
    EXPECT_EQ(rounds[0].hits, 5);
    EXPECT_EQ(rounds[1].hits, 4);
    EXPECT_EQ(err.str(), "krax: skipped " + shell::utf8(dir / shell::roundFileName(3)) +
                             ": it does not start with a round line\n");
}

// Hits and length are read from a round's end only where that end is whole under its
// heading; a round without it is played for them, and one that cannot be played is
// no round.
TEST(KeptRounds, HitsAndLengthAreReadFromAWholeEndAndPlayedForOtherwise) {
    const OwnStateHome home("end_home");
    const std::filesystem::path dir = *shell::roundsFolder();
    std::filesystem::create_directories(dir);
    const std::string played = "round 500 0 0 \"\" shown Form1 active Form1 pressed Form1.Image5\nseed 1\n"
                               "up Form1 5265 5145\nset Form2.intHits 7\nwait 1500\n";
    const std::string heading = "# How the game stood when it ended.\n";
    const std::string time = "expect App.Time 9000\n", hits = "expect Form2.intHits 99\n";
    writeAll(dir / shell::roundFileName(1), played + heading + time + hits);
    writeAll(dir / shell::roundFileName(2), played + time + hits);
    writeAll(dir / shell::roundFileName(3), played + heading + time);
    writeAll(dir / shell::roundFileName(4), played + heading + hits);
    writeAll(dir / shell::roundFileName(5), played + "fly to the moon\n");
    std::ostringstream err;
    const std::vector<shell::KeptRound> rounds = shell::RoundFolder(dir, err).rounds();
    ASSERT_EQ(numbers(rounds), (std::vector<std::uint64_t>{4, 3, 2, 1})) << err.str();
    EXPECT_EQ(std::pair(rounds[3].hits, rounds[3].length), std::pair(99, rt::Millis(8500)));
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::pair(rounds[i].hits, rounds[i].length), std::pair(7, rt::Millis(1500))) << rounds[i].number;
    const std::string said = err.str();
    EXPECT_TRUE(said.starts_with("krax: skipped " + shell::utf8(dir / shell::roundFileName(5)) +
                                 ": line 6: unknown command \"fly\"")) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

// The list dates a round by its file's last write, in the system's time.
TEST(KeptRounds, ARoundIsDatedByItsFilesLastWrite) {
    const OwnStateHome home("date_home");
    const std::filesystem::path dir = *shell::roundsFolder();
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / shell::roundFileName(1);
    writeAll(file, finishedRound(3, 1000));
    const auto day = std::chrono::hours(24);
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) - day);
    std::string why;
    const auto round = shell::readKeptRound(file, 1, why);
    ASSERT_TRUE(round) << why;
    EXPECT_LT(std::chrono::abs(round->written - (std::chrono::system_clock::now() - day)), std::chrono::minutes(1));
}

#ifndef _WIN32
// A round's file the player may not read (root reads it as nobody): said as such.
TEST(KeptRounds, AFileThatCannotBeReadIsSaidAsSuch) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("krax-unreadable-" + std::to_string(getpid()) + ".script");
    writeAll(file, finishedRound(1, 1000));
    std::filesystem::permissions(file, std::filesystem::perms::none);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
        std::string why;
        const bool none = !shell::readKeptRound(file, 1, why);
        _exit(none && why == "it cannot be read" ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::filesystem::remove(file);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}
#endif

// Among rounds of as many hits the earlier is the better: the later one goes first.
TEST(KeptRounds, OfRoundsWithAsManyHitsTheEarlierStays) {
    const OwnStateHome home("tie_home");
    const std::filesystem::path dir = *shell::roundsFolder();
    std::filesystem::create_directories(dir);
    const int hits[] = {50, 90, 50, 50, 0};
    for (int n = 1; n <= 5; ++n) writeAll(dir / shell::roundFileName(std::uint64_t(n)), finishedRound(hits[n - 1], 1000));
    std::ostringstream err;
    shell::RoundFolder folder(dir, err);
    folder.tidy(1, 2);
    EXPECT_EQ(numbers(folder.rounds()), (std::vector<std::uint64_t>{5, 2, 1}));
    EXPECT_EQ(err.str(), "");
    // Numbered after the rounds there are, whatever number the caller had before.
    std::uint64_t number = 40;
    std::error_code error;
    EXPECT_NE(folder.make(number, error), nullptr) << error.message();
    EXPECT_EQ(number, 6u);
}

// A round asked for by its number: any number a file of the folder has, round 0 too;
// a broken one is said as it is asked for.
TEST(KeptRounds, ARoundIsFoundByAnyNumberItsFileHas) {
    const OwnStateHome home("find_home");
    const std::filesystem::path dir = *shell::roundsFolder();
    std::filesystem::create_directories(dir);
    writeAll(dir / shell::roundFileName(0), finishedRound(2, 1000));
    writeAll(dir / shell::roundFileName(1), "up Form1 5265 5145\n");
    std::ostringstream err;
    shell::RoundFolder folder(dir, err);
    EXPECT_EQ(folder.find("0")->hits, 2);
    EXPECT_EQ(err.str(), "");
    for (const char* none : {"-1", "x", "2", ""}) EXPECT_EQ(folder.find(none), std::nullopt) << none;
    EXPECT_EQ(folder.find("1"), std::nullopt);
    EXPECT_EQ(err.str(), "krax: skipped " + shell::utf8(dir / shell::roundFileName(1)) +
                             ": it does not start with a round line\n");
}

TEST(KeptRounds, AFolderThatCannotBeMadeCostsTheRoundsAndOneLine) {
    const OwnStateHome home("unwritable_home");
    // As root can write anywhere: a file where the folder should be.
    writeAll(shell::roundsFolder()->parent_path(), "in the way\n");
    std::ostringstream err;
    shell::RoundKeeper keeper(*shell::roundsFolder(), 100, err);
    KeptSession session(keeper, err);
    session.start();
    session.shortRound();
    session.shortRound();
    session.end();
    keeper.tidy();
    EXPECT_TRUE(session.app().form("Form4").Loaded() || !session.app().Running());
    const std::string said = err.str();
    EXPECT_TRUE(said.starts_with("krax: cannot keep rounds in " + shell::utf8(*shell::roundsFolder()) + ": ")) << said;
    EXPECT_TRUE(said.ends_with("; the game goes on without the rounds that cannot be written\n")) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
}

#ifndef _WIN32
// An environment variable set, or unset for nullptr, for as long as it lives.
class Variable {
public:
    Variable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~Variable() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }
    Variable(const Variable&) = delete;
    Variable& operator=(const Variable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// A relative XDG_STATE_HOME is no place to keep anything; with no HOME either, the
// command line says where nothing is kept.
TEST(KeptRounds, TheFolderIsUnderHomeWhereXdgStateHomeIsNoAbsolutePath) {
    const Variable home("HOME", "/home/player");
    const std::filesystem::path underHome = "/home/player/.local/state/krax/rounds";
    for (const char* state : {"state", "", static_cast<const char*>(nullptr)}) {
        const Variable stateHome("XDG_STATE_HOME", state);
        EXPECT_EQ(shell::roundsFolder(), underHome) << (state ? state : "unset");
    }
    const Variable noState("XDG_STATE_HOME", nullptr);
    const Variable noHome("HOME", "");
    EXPECT_EQ(shell::roundsFolder(), std::nullopt);
    const auto said = [](std::vector<std::string_view> args) {
        std::istringstream in;
        std::ostringstream out, err;
        const int status = shell::runCommandLine(args, in, out, err, {});
        return std::pair{status, err.str()};
    };
    EXPECT_EQ(said({"--rounds"}), std::pair(2, std::string("krax: no rounds are kept: neither XDG_STATE_HOME nor HOME is set\n")));
    EXPECT_EQ(said({"--link", "last"}),
              std::pair(2, std::string("krax: cannot read script last: no rounds are kept: neither XDG_STATE_HOME nor "
                                       "HOME is set\n")));
    const Variable unset("HOME", nullptr);
    EXPECT_EQ(shell::roundsFolder(), std::nullopt);
}
#endif

TEST(CommandLine, RoundsAreListedAndPlayedByNumberOrAsTheLast) {
    const OwnStateHome home("command_home");
    const std::filesystem::path dir = *shell::roundsFolder();
    const auto run = [](std::vector<std::string_view> args) {
        std::istringstream in;
        std::ostringstream out, err;
        const int status = shell::runCommandLine(args, in, out, err, {});
        return std::tuple{status, out.str(), err.str()};
    };
    EXPECT_EQ(run({"--rounds"}), std::tuple(0, std::string(), std::string()));
    EXPECT_EQ(run({"--headless", "--script", "last"}),
              std::tuple(2, std::string(),
                         "krax: cannot read script last: no such round is kept in " + shell::utf8(dir) +
                             " (krax --rounds lists them)\n"));
    std::filesystem::create_directories(dir);
    writeAll(dir / shell::roundFileName(1), finishedRound(0, 2000));
    writeAll(dir / shell::roundFileName(2), finishedRound(0, 61000));
    const auto [status, out, err] = run({"--rounds"});
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(std::regex_match(out, std::regex("     2  .{16}     0 hits  1:01\n     1  .{16}     0 hits  0:02\n")))
        << out;
    EXPECT_EQ(std::get<0>(run({"--headless", "--script", "last"})), 0);
    EXPECT_EQ(std::get<0>(run({"--headless", "--script", "1"})), 0);
    // A file of that name comes first.
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(home.home());
    writeAll("2", "expect App.Time 5\n");
    const int fileStatus = std::get<0>(run({"--headless", "--script", "2"}));
    std::filesystem::current_path(cwd);
    EXPECT_EQ(fileStatus, 1);

    EXPECT_EQ(std::get<2>(run({"--keep-rounds", "-1"})), "krax: --keep-rounds takes a whole number from 0 to 100000, not \"-1\"\n");
    EXPECT_EQ(std::get<2>(run({"--headless", "--keep-rounds", "5"})),
              "krax: --keep-rounds is for play in windows: a replay or --headless keeps no round\n");
    EXPECT_EQ(std::get<2>(run({"--rounds", "--record", "x"})), "krax: --rounds lists the kept rounds and does nothing else\n");
}

#ifndef _WIN32
// Plays in a child process until `stop` says; the child's exit status and standard error.
template <class Stop>
std::pair<int, std::string> inChild(const Stop& stop, rlim_t fileSize = RLIM_INFINITY) {
    int pipe[2];
    if (::pipe(pipe) != 0) return {-1, ""};
    const pid_t child = fork();
    if (child == 0) {
        close(pipe[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{fileSize, RLIM_INFINITY};  // the soft limit raised later: room again
        setrlimit(RLIMIT_FSIZE, &limit);
        std::ostringstream err;
        shell::RoundKeeper keeper(*shell::roundsFolder(), 100, err);
        KeptSession session(keeper, err);
        stop(session);
        const std::string said = err.str();
        (void)!write(pipe[1], said.data(), said.size());
        _exit(0);
    }
    close(pipe[1]);
    std::string said;
    char buffer[512];
    for (ssize_t n; (n = read(pipe[0], buffer, sizeof buffer)) > 0;) said.append(buffer, std::size_t(n));
    close(pipe[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return {status, said};
}

TEST(KeptRounds, AGameKilledMidRoundLeavesARoundThatPlaysUpToThere) {
    const OwnStateHome home("killed_home");
    const auto [status, said] = inChild([](KeptSession& session) {
        session.start();
        session.shortRound();
        session.wake(1234);
        session.app().keyPress('r');  // unrecorded: the kill comes before anything else is written
        std::raise(SIGKILL);
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    std::ostringstream err;
    const auto round = shell::RoundFolder(*shell::roundsFolder(), err).find("last");
    ASSERT_TRUE(round) << err.str();
    EXPECT_EQ(round->number, 2u);
    EXPECT_EQ(round->length, 1234);
    const std::string text = readAll(round->file);
    EXPECT_TRUE(text.ends_with("up Form4 3975 4455\ncatchup 1234\n") || text.ends_with("catchup 1234\n")) << text;
    EXPECT_EQ(playText(text), 0);
    EXPECT_EQ(said, "");
}

// A round is worth a file once its heading and its `round` line are whole: a disk that
// fills before that leaves no file of it, which the list would only skip.
TEST(KeptRounds, ADiskFullBeforeARoundsStartIsWholeLeavesNoFileOfIt) {
    const OwnStateHome home("start_full_home");
    const auto play = [](KeptSession& session) {
        session.start();
        session.shortRound();
        session.wake(3000);
        session.end();
    };
    ASSERT_EQ(inChild(play).first, 0);
    const std::filesystem::path folder = *shell::roundsFolder();
    const std::string whole = readAll(folder / shell::roundFileName(1));
    const std::size_t heading = whole.find('\n') + 1, start = whole.find('\n', heading) + 1;
    std::filesystem::remove_all(folder);
    // A byte of the round line goes in; the next write says why the rest cannot.
    const auto [status, said] = inChild(play, heading + 1);
    EXPECT_EQ(status, 0);
    EXPECT_NE(said.find(": File too large; the game goes on"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    // Its heading and its start fit: the first round stays, and lists.
    EXPECT_EQ(inChild(play, start + 2).first, 0);
    EXPECT_EQ(readAll(folder / shell::roundFileName(1)), whole.substr(0, start + 2));
    std::ostringstream err;
    const std::vector<shell::KeptRound> rounds = shell::RoundFolder(folder, err).rounds();
    EXPECT_EQ(err.str(), "");
    ASSERT_FALSE(rounds.empty());
    EXPECT_EQ(rounds.back().number, 1u);
}

// A disk that has room again mid-round: the round a write failed in keeps only what it
// had written before, with no gap where its lost lines were, and the next round is
// kept whole.
TEST(KeptRounds, ARoundAWriteFailedInStaysAPrefixWhenTheDiskHasRoomAgain) {
    const OwnStateHome home("room_again_home");
    const auto play = [](bool room) {
        return [room](KeptSession& session) {
            session.start();
            session.wake(500);
            session.wake(700);  // the line that fails
            if (room) {
                const rlimit none{RLIM_INFINITY, RLIM_INFINITY};
                setrlimit(RLIMIT_FSIZE, &none);
            }
            session.wake(900);
            session.shortRound();
            session.wake(2000);
            session.end();
        };
    };
    ASSERT_EQ(inChild(play(false)).first, 0);
    const std::filesystem::path folder = *shell::roundsFolder();
    const std::string whole = readAll(folder / shell::roundFileName(1));
    const std::size_t failed = whole.find("catchup 700\n");
    ASSERT_NE(failed, std::string::npos) << whole;
    std::filesystem::remove_all(folder);

    const auto [status, said] = inChild(play(true), failed + 3);
    EXPECT_EQ(status, 0);
    EXPECT_NE(said.find(": File too large; the game goes on"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(readAll(folder / shell::roundFileName(1)), whole.substr(0, failed + 3));
    std::ostringstream err;
    const std::vector<shell::KeptRound> rounds = shell::RoundFolder(folder, err).rounds();
    ASSERT_EQ(numbers(rounds), (std::vector<std::uint64_t>{2, 1})) << err.str();
    EXPECT_EQ(rounds[1].length, 500);
    EXPECT_EQ(rounds[0].length, 2000);
    EXPECT_EQ(playText(readAll(rounds[0].file)), 0);
}

TEST(KeptRounds, AFullDiskCostsTheRoundsThatCannotBeWrittenWithOneLine) {
    const OwnStateHome home("full_home");
    constexpr rlim_t kBytes = 600;
    const auto [status, said] = inChild(
        [](KeptSession& session) {
            session.start();
            session.shortRound();
            session.shortRound();
            session.wake(3000);
            session.end();
        },
        kBytes);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the game plays on to its end";
    EXPECT_TRUE(said.starts_with("krax: cannot keep rounds in ")) << said;
    EXPECT_NE(said.find(": File too large; the game goes on"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    std::ostringstream err;
    const std::vector<shell::KeptRound> rounds = shell::RoundFolder(*shell::roundsFolder(), err).rounds();
    EXPECT_EQ(numbers(rounds), (std::vector<std::uint64_t>{3, 2, 1})) << err.str();
    for (const shell::KeptRound& round : rounds) {
        EXPECT_EQ(std::filesystem::file_size(round.file), kBytes);
        std::string why;
        EXPECT_EQ(playText(*shell::wholeLinesOf(round.file, why)), 0);
    }
}
#endif

}  // namespace

// The scenario driver and the command line, played in-process on the real screens:
// exit statuses, messages, output formats and the scripted input box.
#include "shell/program/command_line.hpp"
#include "shell/game_start.hpp"
#include "shell/values/key_names.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/json_object.hpp"
#include "shell/script/script_error.hpp"
#include "shell/script/script_words.hpp"
#include "shell/sdl/desktop.hpp"
#include "shell/sdl/screenshot.hpp"
#include "temp_file.hpp"
#include "timer_mode.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Played {
    int status;
    std::string out;
    std::string err;
};

// Plays a script on a freshly started program: the menu shown at time 0, seed 1.
Played play(std::string_view script) {
    rt::App app;
    useTimerMode(app);
    std::ostringstream out, err;
    app.setErrorStream(err);
    shell::startOnSeed(app, 1);
    std::istringstream in{std::string(script)};
    const int status = shell::playScript(app, in, out, err, shell::saveScreenshot);
    return {status, out.str(), err.str()};
}

Played runWith(std::vector<std::string_view> args, std::string_view script = "") {
    if (everyTick() && std::find(args.begin(), args.end(), "--headless") != args.end()) args.insert(args.begin(), "--every-tick");
    std::istringstream in{std::string(script)};
    std::ostringstream out, err;
    const int status = shell::runCommandLine(args, in, out, err, {shell::playInWindows, shell::saveScreenshot});
    return {status, out.str(), err.str()};
}

TEST(Driver, LinesThatCannotBeRunStopWithStatus2AndNameTheLine) {
    struct Case {
        std::string_view script;
        std::string_view message;
    };
    const Case cases[] = {
        {"frob", "line 1: unknown command \"frob\": frob"},
        {"\"\"", "line 1: unknown command \"\": \"\""},
        {"click Form9.Image1", "line 1: unknown screen \"Form9\": click Form9.Image1"},
        {"click Form1.Image99", "line 1: unknown control \"Form1.Image99\": click Form1.Image99"},
        {"print Form2.intNope", "line 1: unknown variable \"Form2.intNope\": print Form2.intNope"},
        {"print Form2.lblHits.Colour", "line 1: unknown property \"Form2.lblHits.Colour\": print Form2.lblHits.Colour"},
        {"print Form2.tmrTime.Left", "line 1: unknown property \"Form2.tmrTime.Left\": print Form2.tmrTime.Left"},
        {"print Form2.imgP2(x).Visible", "line 1: bad control index in \"imgP2(x)\": print Form2.imgP2(x).Visible"},
        {"set Form2.intHits True",
         "line 1: expected a whole number from -32768 to 32767, not True: set Form2.intHits True"},
        {"set Form2.intHits 32768",
         "line 1: expected a whole number from -32768 to 32767, not 32768: set Form2.intHits 32768"},
        {"set Form2.intHits -32769",
         "line 1: expected a whole number from -32768 to 32767, not -32769: set Form2.intHits -32769"},
        {"expect Form1.Width \"6195\"", "line 1: expected a number, not \"6195\": expect Form1.Width \"6195\""},
        {"set Form1.Image5.Visible 1", "line 1: expected True or False, not 1: set Form1.Image5.Visible 1"},
        {"set Form1.Image5.Width -5",
         "line 1: Form1.Image5.Width refuses -5: Invalid property value: set Form1.Image5.Width -5"},
        {"set App.Time 5", "line 1: App.Time is read only: set App.Time 5"},
        {"set Form1.Loaded False", "line 1: Form1.Loaded is read only: set Form1.Loaded False"},
        {"click Form3.Image3", "line 1: Form3 is not shown: click Form3.Image3"},
        {"move Form7 10 10", "line 1: Form7 is not shown: move Form7 10 10"},
        {"close Form4", "line 1: Form4 is not shown: close Form4"},
        {"click Form1 -1 10", "line 1: -1, 10 lies outside the client area of Form1: click Form1 -1 10"},
        {"click Form1 10 99999", "line 1: 10, 99999 lies outside the client area of Form1: click Form1 10 99999"},
        {"click Form1.Image5\nclick Form2.picGunfr",
         "line 2: 982.5, 9030 lies outside the client area of Form2: click Form2.picGunfr"},
        {"set frmCredits.Visible True\nclose frmCredits", "line 2: frmCredits has no close box: close frmCredits"},
        {"shot Form1 /no/such/folder/menu.png",
         "line 1: cannot write /no/such/folder/menu.png: No such file or directory: shot Form1 "
         "/no/such/folder/menu.png"},
        {"wait", "line 1: usage: wait MS: wait"},
        {"wait -1", "line 1: expected a whole number of milliseconds from 0 to 2147483647, not -1: wait -1"},
        {"click Form1 10",
         "line 1: usage: click FORM.CONTROL [left|right] or click FORM X Y [left|right]: click Form1 10"},
        {"click Form1.Image5 middle", "line 1: expected left or right, not middle: click Form1.Image5 middle"},
        {"key Shift", "line 1: unknown key \"Shift\": key Shift"},
        {"print \"Form1.Visible", "line 1: a quoted word is not closed: print \"Form1.Visible"},
        {"print Form2", "line 1: expected App.NAME, FORM.NAME or FORM.CONTROL.PROPERTY, not \"Form2\": print Form2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const Played played = play(std::string(c.script) + "\nprint App.Time\n");
        EXPECT_EQ(played.status, 2);
        EXPECT_EQ(played.err, std::string(c.message) + "\n");
        EXPECT_EQ(played.out, "");
    }
}

TEST(Driver, LineNumbersCountBlankAndCommentLines) {
    const Played played = play("# a comment\n\n  \t\n   # indented comment\r\nprint App.Time\r\nfrob\n");
    EXPECT_EQ(played.status, 2);
    EXPECT_EQ(played.out, "App.Time = 0\n");
    EXPECT_EQ(played.err, "line 6: unknown command \"frob\": frob\n");
}

TEST(Driver, FailedExpectReportsBothValuesAndStopsWithStatus1) {
    Played played = play("expect App.Time 0\nexpect Form1.Visible False\nprint App.Time\n");
    EXPECT_EQ(played.status, 1);
    EXPECT_EQ(played.err, "line 2: expected Form1.Visible = False, got True\n");
    EXPECT_EQ(played.out, "");

    played = play("expect App.ActiveForm Form7");
    EXPECT_EQ(played.err, "line 1: expected App.ActiveForm = \"Form7\", got \"Form1\"\n");
    played = play("expect Form1.Width 6000.5");
    EXPECT_EQ(played.err, "line 1: expected Form1.Width = 6000.5, got 6195\n");
}

TEST(Driver, ExpectComparesByTheKindOfTheValue) {
    const Played played = play(
        "expect Form1.Width 6195\n"
        "expect Form1.Width 6195.0\n"
        "expect App.ActiveForm Form1\n"
        "expect App.ActiveForm \"Form1\"\n"
        "expect Form2.Loaded False\n"
        "expect Form2.tmrTime.Interval 1000\n"
        "expect Form2.strCode \"\"\n"
        "set Form2.strCode 47\n"
        "expect Form2.strCode 47\n");
    EXPECT_EQ(played.status, 0) << played.err;
}

TEST(Driver, SetWritesVariablesAndPropertiesAtTheEdgesOfTheirRange) {
    const Played played = play(
        "set Form2.intHits 32767\nexpect Form2.intHits 32767\n"
        "set Form2.intHits -32768\nexpect Form2.intHits -32768\n"
        "set Form1.Image5.Left 2.5\nexpect Form1.Image5.Left 2.5\n"
        "set Form2.tmrTime.Interval 70000\nexpect Form2.tmrTime.Interval 70000\n");
    EXPECT_EQ(played.status, 0) << played.err;
}

TEST(Driver, SetRunsAsAnEventOfItsOwn) {
    // Hiding the only screen shown ends the program once the event is over.
    const Played played = play("set Form1.Visible False\nexpect App.Running False\nclick Form1.Image5\n");
    EXPECT_EQ(played.status, 2);
    EXPECT_EQ(played.err, "line 3: Form1 is not shown: click Form1.Image5\n");
}

TEST(Driver, QuotedWordsHoldSpacesAndEscapes) {
    const auto words = shell::splitWords(R"(  print "a b"  c "x\"y\\z" "")");
    ASSERT_EQ(words.size(), 5u);
    EXPECT_EQ(words[1].text, "a b");
    EXPECT_TRUE(words[1].quoted);
    EXPECT_EQ(words[2].text, "c");
    EXPECT_FALSE(words[2].quoted);
    EXPECT_EQ(words[3].text, "x\"y\\z");
    EXPECT_EQ(words[4].text, "");
    EXPECT_TRUE(words[4].quoted);
    EXPECT_TRUE(shell::splitWords("  # print x").empty());
    EXPECT_THROW(shell::splitWords(R"(print "a\n")"), shell::ScriptError);
    EXPECT_THROW(shell::splitWords(R"(print "a"b)"), shell::ScriptError);
    EXPECT_THROW(shell::splitWords(R"(print a"b")"), shell::ScriptError);

    const Played played = play(
        "set Form2.strCode \"say \\\"hi\\\" \\\\ bye\"\n"
        "expect Form2.strCode \"say \\\"hi\\\" \\\\ bye\"\n"
        "print Form2.strCode\n");
    EXPECT_EQ(played.status, 0) << played.err;
    EXPECT_EQ(played.out, "Form2.strCode = \"say \\\"hi\\\" \\\\ bye\"\n");
}

// Windows paths as the scenario reference writes them: a quoted backslash must be
// doubled or turned into a slash, a bare word keeps its backslashes.
TEST(Driver, WindowsPathsInWords) {
    EXPECT_EQ(shell::splitWords(R"(shot Form1 "C:\\Users\\Ann\\My Pictures\\a.png")")[2].text,
              R"(C:\Users\Ann\My Pictures\a.png)");
    EXPECT_EQ(shell::splitWords(R"(shot Form1 C:\Users\Ann\a.png)")[2].text, R"(C:\Users\Ann\a.png)");
    try {
        shell::splitWords(R"(shot Form1 "C:\Users\Ann\a.png")");
        ADD_FAILURE() << "a single backslash in quotes was taken";
    } catch (const shell::ScriptError& e) {
        EXPECT_STREQ(e.what(), "unknown escape \\U in a quoted word");
    }
}

TEST(Driver, PrintWritesEachPathOnItsOwnLine) {
    const Played played = play(
        "wait 250\nprint App.ActiveForm App.Running App.Time Form1.Width Form2.tmrTime.Interval "
        "Form2.intHits Form1.Image5.Top\n");
    EXPECT_EQ(played.status, 0) << played.err;
    EXPECT_EQ(played.out,
              "App.ActiveForm = \"Form1\"\nApp.Running = True\nApp.Time = 250\nForm1.Width = 6195\n"
              "Form2.tmrTime.Interval = 1000\nForm2.intHits = 0\nForm1.Image5.Top = 4680\n");
}

TEST(Driver, DumpIsOneLineOfJsonWithEveryScreenAndControl) {
    const Played played = play("set Form2.strCode \"a \\\"b\\\"\"\ndump\n");
    ASSERT_EQ(played.status, 0) << played.err;
    const std::string& json = played.out;
    ASSERT_FALSE(json.empty());
    EXPECT_EQ(std::count(json.begin(), json.end(), '\n'), 1);
    EXPECT_EQ(json.rfind("{\"App\":{\"ActiveForm\":\"Form1\",\"Running\":true,\"Time\":0},", 0), 0u) << json;
    EXPECT_EQ(json.substr(json.size() - 3), "}}\n");
    for (const char* screen : {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6", "Form7", "frmCredits"})
        EXPECT_NE(json.find("\"" + std::string(screen) + "\":{\"Loaded\":"), std::string::npos) << screen;
    EXPECT_NE(json.find("\"imgP2(2)\":{\"Visible\":false,\"Enabled\":true,\"Left\":1320,\"Top\":6720,\"Width\":1455,"
                        "\"Height\":1140}"),
              std::string::npos);
    EXPECT_NE(json.find("\"tmrTime\":{\"Visible\":true,\"Enabled\":false,\"Interval\":1000}"), std::string::npos);
    EXPECT_NE(json.find("\"strCode\":\"a \\\"b\\\"\""), std::string::npos);
    // Braces balance outside the strings.
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < json.size(); ++i) {
        if (inString && json[i] == '\\') ++i;
        else if (json[i] == '"') inString = !inString;
        else if (!inString) depth += json[i] == '{' ? 1 : json[i] == '}' ? -1 : 0;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
    EXPECT_FALSE(inString);
    EXPECT_EQ(shell::jsonString("tab\there\x01"), "\"tab\\there\\u0001\"");
}

TEST(Driver, InputBoxesTakeTheAnswersInOrderThenCancel) {
    const Played played = play(
        "click Form1.Image5\n"
        "answer \"two words\"\ncancel\nanswer x\n"
        "key Up\nprint Form2.strCode\n"
        "key Up\nprint Form2.strCode\n"
        "key Up\nprint Form2.strCode\n"
        "key Up\nprint Form2.strCode\n");
    EXPECT_EQ(played.status, 0) << played.err;
    EXPECT_EQ(played.out,
              "Form2.strCode = \"two words\"\nForm2.strCode = \"\"\nForm2.strCode = \"x\"\nForm2.strCode = \"\"\n");
    EXPECT_EQ(played.err,
              "krax: input box \"Backdoor\" (\"Enter in the code\") found no answer waiting; answered Cancel\n");
}

TEST(Driver, ClicksActivateTheScreenFirstUnlessItIsDisabled) {
    Played played = play("set frmCredits.Visible True\nexpect App.ActiveForm frmCredits\n"
                         "click Form1 10 10\nexpect App.ActiveForm Form1\n");
    EXPECT_EQ(played.status, 0) << played.err;

    // A disabled screen takes no click and no close, and it is no error.
    played = play("set Form1.Enabled False\nclick Form1.Image5\nclose Form1\n"
                  "expect Form2.Loaded False\nexpect Form1.Visible True\n");
    EXPECT_EQ(played.status, 0) << played.err;
}

TEST(Driver, ClicksAndCloseReachTheScreen) {
    const Played played =
        play("click Form1.Image7\nexpect App.ActiveForm Form7\nclose Form7\nexpect App.Running False\n");
    EXPECT_EQ(played.status, 0) << played.err;
}

TEST(Driver, WaitMovesTheClockUpToTheLongRange) {
    Played played = play("wait 0\nwait 1500\nexpect App.Time 1500\nwait 2147482147\nexpect App.Time 2147483647\n");
    EXPECT_EQ(played.status, 0) << played.err;
    played = play("wait 1\nwait 2147483647\n");
    EXPECT_EQ(played.status, 2);
    EXPECT_EQ(played.err, "line 2: expected a whole number of milliseconds from 0 to 2147483646, not 2147483647: "
                          "wait 2147483647\n");
}

TEST(Keys, NamesGiveDesktopKeyCodesAndCharacters) {
    struct Case {
        std::string_view name;
        int keyCode, shift;
        std::optional<int> character;
    };
    const Case cases[] = {
        {"Up", 38, 0, std::nullopt}, {"Down", 40, 0, std::nullopt}, {"Left", 37, 0, std::nullopt},
        {"Right", 39, 0, std::nullopt}, {"Tab", 9, 0, std::nullopt}, {"Enter", 13, 0, 13},
        {"Escape", 27, 0, 27}, {"Space", 32, 0, 32}, {"Backspace", 8, 0, 8},
        {"r", 82, 0, 'r'}, {"R", 82, 1, 'R'}, {"7", 55, 0, '7'},
        {"&", 55, 1, '&'}, {";", 186, 0, ';'}, {":", 186, 1, ':'},
        {"'", 222, 0, '\''}, {"\"", 222, 1, '"'}, {" ", 32, 0, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto stroke = shell::keyNamed(c.name);
        ASSERT_TRUE(stroke);
        EXPECT_EQ(stroke->keyCode, c.keyCode);
        EXPECT_EQ(stroke->shift, c.shift);
        EXPECT_EQ(stroke->character, c.character);
    }
    for (std::string_view unknown : {"up", "Shift", "", "\x7f", "\xc3\xa9"}) EXPECT_FALSE(shell::keyNamed(unknown));
}

TEST(CommandLine, PlaysTheScriptFromStandardInputOrAFile) {
    Played played = runWith({"--headless"}, "print App.Time\n");
    EXPECT_EQ(played.status, 0) << played.err;
    EXPECT_EQ(played.out, "App.Time = 0\n");
    played = runWith({"--headless", "--script", "-"}, "frob\n");
    EXPECT_EQ(played.status, 2);

    const auto path = ownTempFile("krax_driver_test.script");
    std::ofstream(path) << "expect App.Running False\n";
    played = runWith({"--headless", "--script", path.string()});
    std::filesystem::remove(path);
    EXPECT_EQ(played.status, 1);
    EXPECT_EQ(played.err, "line 1: expected App.Running = False, got True\n");
}

TEST(CommandLine, TheSameSeedPlaysTheSameGame) {
    const std::string_view script = "click Form1.Image5\nwait 20000\ndump\n";
    const Played first = runWith({"--headless", "--seed", "4294967295"}, script);
    const Played second = runWith({"--headless", "--seed", "4294967295"}, script);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
}

TEST(CommandLine, BadArgumentsAndUnreadableScriptsGiveStatus2) {
    for (std::string_view seed : {"-1", "4294967296", "abc", "1.5", ""}) {
        SCOPED_TRACE(seed);
        const Played played = runWith({"--headless", "--seed", seed});
        EXPECT_EQ(played.status, 2);
        EXPECT_EQ(played.err,
                  "krax: --seed takes a whole number from 0 to 4294967295, not \"" + std::string(seed) + "\"\n");
    }
    EXPECT_EQ(runWith({"--headless", "--seed"}).err, "krax: --seed needs a value\n");
    EXPECT_EQ(runWith({"--headless", "--mute"}).err, "krax: --mute is for play in windows, not --headless\n");
    EXPECT_EQ(runWith({"--headless", "--fast"}).err, "krax: unknown argument \"--fast\"; see krax --help\n");

    const Played played = runWith({"--headless", "--script", "/nonexistent/krax.script"});
    EXPECT_EQ(played.status, 2);
    EXPECT_EQ(played.err, "krax: cannot read script /nonexistent/krax.script: No such file or directory\n");
}

// Nothing of a replay needs a display until its script has been read and checked.
TEST(CommandLine, AReplayIsCheckedBeforeAnyWindowOpens) {
    for (std::string_view speed : {"0.2", "8.5", "fast", "", "nan", "2x"}) {
        SCOPED_TRACE(speed);
        const Played played = runWith({"--replay", "x.script", "--speed", speed});
        EXPECT_EQ(played.status, 2);
        EXPECT_EQ(played.err, "krax: --speed takes a number from 0.25 to 8, not \"" + std::string(speed) + "\"\n");
    }
    EXPECT_EQ(runWith({"--speed", "2"}).err, "krax: --speed is for --replay\n");
    EXPECT_EQ(runWith({"--replay", "x.script", "--record", "y.script"}).err,
              "krax: --replay plays in windows, without --headless or --record\n");
    EXPECT_EQ(runWith({"--replay", "/nonexistent/krax.script"}).err,
              "krax: cannot read script /nonexistent/krax.script: No such file or directory\n");

    const auto path = ownTempFile("krax_replay_test.script");
    std::ofstream(path) << "click Form1.Image5\nwait 100000\nshot Form2 farm.png\n";
    const Played played = runWith({"--replay", path.string(), "--speed", "0.25"});
    std::filesystem::remove(path);
    EXPECT_EQ(played.status, 2);
    EXPECT_EQ(played.err, "line 3: a replay cannot hold shot, which no player does: shot Form2 farm.png\n");
}

TEST(CommandLine, Help) {
    const Played played = runWith({"--help"});
    EXPECT_EQ(played.status, 0);
    EXPECT_EQ(played.out.rfind("usage: krax [--scale N] [--seed N] [--every-tick] [--mute] [--record FILE]\n", 0), 0u);
    EXPECT_EQ(runWith({"--scale", "5"}).status, 2);
}

#ifndef _WIN32
// X11 and Wayland are found through the environment; Windows has one window system,
// always there, so no display can be missing.

// Sets environment variables (null: unset) for as long as it lives.
class Environment {
public:
    Environment(std::initializer_list<std::pair<const char*, const char*>> changes) {
        for (const auto& [name, value] : changes) {
            const char* old = std::getenv(name);
            saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            value ? setenv(name, value, 1) : unsetenv(name);
        }
    }
    ~Environment() {
        for (const auto& [name, value] : saved_) value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Without a display: status 1 and one line naming the true reason, with nothing else
// on standard error, from the window system's libraries either.
TEST(CommandLine, WithoutADisplayOneLineSaysWhy) {
    const std::string runtimeDir = std::filesystem::temp_directory_path().string();
    struct Case {
        const char *display, *wayland, *runtimeDir;
        std::string_view reason;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)"},
        {":9999", nullptr, nullptr, "DISPLAY is :9999, which does not answer"},
        {nullptr, "krax-none", nullptr, "WAYLAND_DISPLAY is krax-none but XDG_RUNTIME_DIR is not set"},
        {":9999", "krax-none", runtimeDir.c_str(),
         "DISPLAY is :9999, which does not answer; WAYLAND_DISPLAY is krax-none, which does not answer"},
    };
    for (const Case& c : cases) {
        const Environment environment{
            {"DISPLAY", c.display}, {"WAYLAND_DISPLAY", c.wayland}, {"XDG_RUNTIME_DIR", c.runtimeDir},
            {"SDL_VIDEODRIVER", nullptr}};
        testing::internal::CaptureStderr();
        const Played played = runWith({});
        const std::string elsewhere = testing::internal::GetCapturedStderr();
        EXPECT_EQ(played.status, 1);
        EXPECT_EQ(played.err, "krax: cannot open a window: " + std::string(c.reason) + "\n");
        EXPECT_EQ(elsewhere, "");
    }
}
#endif

}  // namespace

namespace {

// The width and height a PNG file's header gives.
std::pair<unsigned, unsigned> pngSize(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    const auto word = [&](int at) {
        return unsigned(header[at]) << 24 | unsigned(header[at + 1]) << 16 | unsigned(header[at + 2]) << 8 |
               header[at + 3];
    };
    return {word(16), word(20)};
}

TEST(Shot, WritesTheClientAreaAtOnePixelPer15Twips) {
    const auto file = ownTempFile("krax_shot_test.png");
    std::filesystem::remove(file);
    const Played played = play("shot Form1 \"" + file.generic_string() + "\"\nclick Form1.Image5\nshot Form2 \"" +
                               file.generic_string() + "\"\n");
    EXPECT_EQ(played.status, 0) << played.err;
    EXPECT_EQ(pngSize(file), (std::pair<unsigned, unsigned>{454, 534}));
    std::filesystem::remove(file);
}

}  // namespace

namespace {

TEST(Shot, TextTooWideForATextureIsDrawnCutAndSaidOnce) {
    const auto file = ownTempFile("krax_cut_test.png");
    const std::string shot = "shot Form2 \"" + file.generic_string() + "\"\n";
    testing::internal::CaptureStderr();
    const Played played = play("click Form1.Image5\nset Form2.lblHits.Caption " + std::string(3000, 'W') + "\n" +
                               shot + shot);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(played.status, 0) << played.err;
    EXPECT_EQ(err, "krax: a text of 3000 bytes is drawn cut: wider than 16384 pixels\n");
    std::filesystem::remove(file);
}

}  // namespace

// The scenario driver on input that is broken, hostile or simply too large: scripts
// that cannot be read to their end, files that cannot be written, lines that must not
// reach the terminal as they are, texts that are not UTF-8, geometry far off screen.
#include "shell/program/command_line.hpp"
#include "shell/game_start.hpp"
#include "shell/script/driver.hpp"
#include "shell/script/json_object.hpp"
#include "shell/script/script_lines.hpp"
#include "shell/sdl/screenshot.hpp"
#include "temp_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#ifdef KRAX_BINARY
#include <sys/wait.h>
#endif

namespace {

struct Played {
    int status;
    std::string out;
    std::string err;
};

Played play(std::istream& script) {
    rt::App app;
    std::ostringstream out, err;
    app.setErrorStream(err);
    shell::startOnSeed(app, 1);
    const int status = shell::playScript(app, script, out, err, shell::saveScreenshot);
    return {status, out.str(), err.str()};
}

Played play(std::string_view script) {
    std::istringstream in{std::string(script)};
    return play(in);
}

// Gives `text`, then fails as a disk or a pipe can: the read throws.
class BreakingBuffer : public std::streambuf {
public:
    explicit BreakingBuffer(std::string text) : text_(std::move(text)) {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

protected:
    int_type underflow() override { throw std::system_error(EIO, std::generic_category(), "read"); }

private:
    std::string text_;
};

// An endless stream of one byte, like /dev/zero; counts what was taken and gives up
// (as if at the end) after `most` bytes so that a reader without a limit still stops.
class EndlessBuffer : public std::streambuf {
public:
    EndlessBuffer(char byte, std::size_t most) : chunk_(4096, byte), most_(most) {}
    std::size_t taken() const { return taken_; }

protected:
    int_type underflow() override {
        if (taken_ >= most_) return traits_type::eof();
        taken_ += chunk_.size();
        setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
        return traits_type::to_int_type(chunk_[0]);
    }

private:
    std::string chunk_;
    std::size_t most_, taken_ = 0;
};

bool hasControlBytes(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7f; });
}

TEST(ScriptReading, AReadErrorStopsWithStatus2AfterTheLinesBeforeIt) {
    BreakingBuffer buffer("print App.Time\nwait 5\nprint App.Time\n");
    std::istream in(&buffer);
    const Played played = play(in);
    EXPECT_EQ(played.status, 2);
    EXPECT_EQ(played.out, "App.Time = 0\nApp.Time = 5\n");
    EXPECT_EQ(played.err, "krax: cannot read the script: " + std::generic_category().message(EIO) + "\n");
}

TEST(ScriptReading, ALineThatNeverEndsIsRefusedAfterTheLongestLine) {
    EndlessBuffer buffer('x', 8 << 20);
    std::istream in(&buffer);
    const Played played = play(in);
    EXPECT_EQ(played.status, 2);
    EXPECT_LE(buffer.taken(), 2 * shell::kLongestLine) << "read on past the limit";
    EXPECT_EQ(played.err.rfind("line 1: longer than 65536 bytes: xxxx", 0), 0u) << played.err.substr(0, 80);
    EXPECT_LT(played.err.size(), 500u);
}

TEST(ScriptReading, TheLongestLineStillRuns) {
    const std::string longest = "print App.Time" + std::string(shell::kLongestLine - 14, ' ');
    Played played = play(longest + "\n" + longest);
    EXPECT_EQ(played.status, 0) << played.err.substr(0, 80);
    EXPECT_EQ(played.out, "App.Time = 0\nApp.Time = 0\n");

    played = play("print App.Time\n" + longest + " \nprint App.Time\n");
    EXPECT_EQ(played.status, 2);
    EXPECT_EQ(played.out, "App.Time = 0\n");
    EXPECT_EQ(played.err.rfind("line 2: longer than 65536 bytes: print App.Time ", 0), 0u);
}

TEST(ScriptReading, TheCommandLineNamesWhatItCouldNotRead) {
    std::istringstream in;
    std::ostringstream out, err;
    const std::vector<std::string_view> args{"--headless", "--script", "/dev/zero"};
    EXPECT_EQ(shell::runCommandLine(args, in, out, err, {}), 2);
    EXPECT_EQ(err.str().rfind("line 1: longer than 65536 bytes: \\x00\\x00", 0), 0u);
}

#ifdef KRAX_BINARY
// Through the real program, with standard input that is a folder.
TEST(ScriptReading, StandardInputThatIsAFolderIsAReadError) {
    const auto errFile = ownTempFile("krax_stdin_folder.err");
    const std::string command = std::string(KRAX_BINARY) + " --headless < / 2> " + errFile.string();
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    std::ifstream errors(errFile);
    std::string message((std::istreambuf_iterator<char>(errors)), {});
    EXPECT_EQ(message, "krax: cannot read standard input: " + std::generic_category().message(EISDIR) + "\n");
    std::filesystem::remove(errFile);
}
#endif

TEST(Shot, AWriteThatFailsIsALineThatCannotBeRun) {
    Played played = play("shot Form1 /dev/full\nprint App.Time\n");
    EXPECT_EQ(played.status, 2);
    EXPECT_EQ(played.err, "line 1: cannot write /dev/full: " + std::generic_category().message(ENOSPC) +
                              ": shot Form1 /dev/full\n");
    EXPECT_EQ(played.out, "");

    played = play("shot Form1 /no/such/folder/menu.png");
    EXPECT_EQ(played.err, "line 1: cannot write /no/such/folder/menu.png: " +
                              std::generic_category().message(ENOENT) + ": shot Form1 /no/such/folder/menu.png\n");
    played = play("shot Form1 /");
    EXPECT_EQ(played.status, 2);
    EXPECT_EQ(played.err, "line 1: cannot write /: " + std::generic_category().message(EISDIR) + ": shot Form1 /\n");
}

TEST(ErrorLines, QuoteAShortPieceOfALongLineAndMarkTheCut) {
    const std::string word(60000, 'x');
    const Played played = play("frob" + word);
    EXPECT_EQ(played.status, 2);
    EXPECT_LT(played.err.size(), 500u);
    EXPECT_EQ(played.err.rfind("line 1: unknown command \"frobxxx", 0), 0u);
    EXPECT_NE(played.err.find("xxx...: frobxxx"), std::string::npos) << played.err;  // the message
    EXPECT_EQ(played.err.substr(played.err.size() - 7), "xxx...\n") << played.err;  // the line
}

TEST(ErrorLines, ControlBytesAreEscapedAndNoneCutsTheMessage) {
    const std::string line = std::string("frob\x01") + '\0' + "\x1b[2Jend";
    const Played played = play(line);
    EXPECT_EQ(played.status, 2);
    EXPECT_EQ(played.err,
              "line 1: unknown command \"frob\\x01\\x00\\x1b[2Jend\": frob\\x01\\x00\\x1b[2Jend\n");

    // A failed expect quotes the values it compares in the same way.
    const Played expect = play("set Form2.strCode \"a\x07\"\nexpect Form2.strCode b");
    EXPECT_EQ(expect.status, 1);
    EXPECT_FALSE(hasControlBytes(expect.err)) << expect.err;
    EXPECT_EQ(expect.err, "line 2: expected Form2.strCode = \"b\", got \"a\\x07\"\n");
}

TEST(ErrorLines, ACutNeverSplitsACharacter) {
    // 2-byte characters from an odd start: the limit falls inside one of them.
    std::string word = "x";
    for (int i = 0; i < 300; ++i) word += "\xc3\xa9";
    const Played played = play("key " + word);
    const std::size_t cut = played.err.find("...");
    ASSERT_NE(cut, std::string::npos);
    EXPECT_EQ(played.err.substr(cut - 2, 2), "\xc3\xa9");
}

TEST(ErrorLines, BytesThatNeverEndACharacterAreCutAsSoon) {
    // Continuation bytes alone, and after a lead byte: no character boundary ever comes.
    for (const std::string& word : {std::string(65000, '\xa5'), "\xf0" + std::string(65000, '\x80')}) {
        const Played played = play("frob" + word);
        EXPECT_EQ(played.status, 2);
        EXPECT_LT(played.err.size(), 500u);
        EXPECT_EQ(played.err.substr(played.err.size() - 4), "...\n");
    }
}

TEST(Dump, TextsThatAreNotUtf8AreEscapedByteByByte) {
    // Valid characters of 1 to 4 bytes pass as they are; stray continuation bytes,
    // overlong forms, surrogates, code points past U+10FFFF and cut sequences do not.
    struct Case {
        std::string_view text, json;
    };
    const Case cases[] = {
        {"a\xc3\xa9z", "\"a\xc3\xa9z\""},
        {"\xe2\x82\xac\xf0\x9f\x98\x80", "\"\xe2\x82\xac\xf0\x9f\x98\x80\""},
        {"\xff", "\"\\u00ff\""},
        {"\x80x", "\"\\u0080x\""},
        {"\xc0\x80", "\"\\u00c0\\u0080\""},
        {"\xed\xa0\x80", "\"\\u00ed\\u00a0\\u0080\""},
        {"\xf4\x90\x80\x80", "\"\\u00f4\\u0090\\u0080\\u0080\""},
        {"\xe2\x82", "\"\\u00e2\\u0082\""},
        {"\xc3\xa9\xc3", "\"\xc3\xa9\\u00c3\""},
    };
    for (const Case& c : cases) EXPECT_EQ(shell::jsonString(c.text), c.json) << c.json;
}

TEST(Dump, ACodeTypedInAnyBytesStillGivesUtf8Json) {
    const Played played = play("click Form1.Image5\nanswer \"\xff\xfe" "47\"\nkey Up\nexpect Form2.strCode \"\xff\xfe" "47\"\ndump");
    ASSERT_EQ(played.status, 0) << played.err;
    EXPECT_NE(played.out.find("\"strCode\":\"\\u00ff\\u00fe47\""), std::string::npos);
    EXPECT_EQ(played.out.find('\xff'), std::string::npos);
}

TEST(Shot, GeometryFarOutOfRangeDrawsLikeAnyOtherOffScreen) {
    const auto file = ownTempFile("krax_far_shot.png");
    const Played played = play(
        "click Form1.Image5\n"
        "set Form2.Image1.Width 3e38\nset Form2.Image1.Height 3e38\nset Form2.Image1.Left -3e38\n"
        "set Form2.lblHits.Left 3e38\nset Form2.shpTimeBar.Width 3e38\n"
        "shot Form2 \"" + file.generic_string() + "\"\n");
    EXPECT_EQ(played.status, 0) << played.err;
    EXPECT_TRUE(std::filesystem::exists(file));
    std::filesystem::remove(file);
}

}  // namespace

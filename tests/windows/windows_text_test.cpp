// What Windows adds to the SDL backend, under Wine: its UTF-16 text as the game's
// UTF-8, and the labels' font found where a player's Windows has it or beside the exe.
#include "shell/sdl/font_file.hpp"
#include "shell/win32/utf8.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

TEST(WindowsText, WideTextBecomesUtf8InEveryScript) {
    EXPECT_EQ(shell::utf8(L""), "");
    EXPECT_EQ(shell::utf8(L"--script"), "--script");
    EXPECT_EQ(shell::utf8(L"\u00e9t\u00e9 \u0441\u0447\u0451\u0442 \u5f97\u5206"), "\u00e9t\u00e9 \u0441\u0447\u0451\u0442 \u5f97\u5206");
    // A pair of surrogates is one character of four bytes; a lone one, U+FFFD.
    EXPECT_EQ(shell::utf8(L"\xd83e\xdd55"), "\xf0\x9f\xa5\x95");
    EXPECT_EQ(shell::utf8(L"a\xd83e" L"b"), "a\xef\xbf\xbd" "b");
}

// The message box of a failed start shows the game's UTF-8 line as Windows' UTF-16.
TEST(WindowsText, Utf8BecomesWideTextForTheMessageBox) {
    EXPECT_EQ(shell::utf16(""), L"");
    EXPECT_EQ(shell::utf16("\u00e9t\u00e9 \u5f97\u5206\n"), L"\u00e9t\u00e9 \u5f97\u5206\n");
    EXPECT_EQ(shell::utf16("\xf0\x9f\xa5\x95"), L"\xd83e\xdd55");
    EXPECT_EQ(shell::utf16("a\xff" "b"), L"a\xfffd" L"b");
}

// Wine has none of Windows' fonts: every face falls back to the one beside the exe.
TEST(WindowsText, FontsComeFromBesideTheProgramWhereWindowsHasNone) {
    for (const char* face : {"Comic Sans MS", "sans-serif"}) {
        const std::string utf8 = shell::fontFile(face, true);
        const std::filesystem::path file(std::u8string(utf8.begin(), utf8.end()));
        EXPECT_EQ(file.filename(), "ComicNeue-Bold.otf") << face;
        EXPECT_TRUE(std::filesystem::is_regular_file(file)) << face;
    }
}

}  // namespace

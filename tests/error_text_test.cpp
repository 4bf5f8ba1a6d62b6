// A text from a script as an error line quotes it: what a terminal shows as it is,
// what it would act on escaped, and where a long text is cut.
#include "shell/values/error_text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using shell::errorText;
using shell::kLongestQuote;

TEST(ErrorText, EscapesWhatATerminalWouldActOnAndKeepsTheRest) {
    EXPECT_EQ(errorText("a\x01\x1f\x7f" "b"), "a\\x01\\x1f\\x7fb");
    EXPECT_EQ(errorText(std::string("\0\n\r\x1b[2J", 7)), "\\x00\\x0a\\x0d\\x1b[2J");
    // Tabs, spaces, all that is printable, and UTF-8 pass as they are.
    const std::string shown = "\t !~09AZaz\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80";
    EXPECT_EQ(errorText(shown), shown);
}

TEST(ErrorText, CutsOnlyPastTheLongestQuote) {
    const std::string longest(kLongestQuote, 'x');
    EXPECT_EQ(errorText(longest), longest);
    EXPECT_EQ(errorText(longest + "y"), longest + "...");
    // An escape counts as the four bytes it is shown as.
    const std::string almost(kLongestQuote - 2, 'x');
    EXPECT_EQ(errorText(almost + "\x01" "yz"), almost + "\\x01...");
}

TEST(ErrorText, ACutLetsTheLastCharacterEndButNoMore) {
    const std::string before(kLongestQuote - 1, 'x');
    const std::string face = "\xf0\x9f\x98\x80";  // four bytes: the most a character has
    EXPECT_EQ(errorText(before + face + "y"), before + face + "...");
    EXPECT_EQ(errorText(before + "\xc3\xa9\xc3\xa9"), before + "\xc3\xa9...");
    // A lead byte followed by more continuation bytes than any character has.
    EXPECT_EQ(errorText(before + "\xf0" + std::string(10, '\x80')), before + "\xf0\x80\x80\x80...");
}

}  // namespace

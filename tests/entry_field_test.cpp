// The input box's entry field: the cap on its length, what typing and pasting keep,
// and which end of a long entry is shown.
#include "shell/sdl/entry_field.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using shell::EntryField;

TEST(EntryField, StopsAtItsCapWhetherTypedOrPasted) {
    EntryField typed;
    for (std::size_t i = 0; i < EntryField::kLongest + 5; ++i) typed.type("a");
    EXPECT_EQ(typed.text(), std::string(EntryField::kLongest, 'a'));
    typed.erase();
    typed.type("xyz");  // room for one more character only
    EXPECT_EQ(typed.text(), std::string(EntryField::kLongest - 1, 'a') + "x");

    EntryField pasted;
    pasted.paste(std::string(100000, 'b'));
    EXPECT_EQ(pasted.text().size(), EntryField::kLongest);
}

TEST(EntryField, CountsCharactersNotBytes) {
    EntryField field;
    for (std::size_t i = 0; i < EntryField::kLongest + 1; ++i) field.type("\xC3\xA9");  // é, two bytes
    EXPECT_EQ(field.text().size(), 2 * EntryField::kLongest);
    field.erase();
    EXPECT_EQ(field.text().size(), 2 * EntryField::kLongest - 2);
    field.type("€");
    EXPECT_EQ(field.text().substr(field.text().size() - 3), "€");
}

TEST(EntryField, KeepsNoControlCharactersAndPastesOneLine) {
    EntryField field;
    field.type("4\t7\x7F");
    EXPECT_EQ(field.text(), "47");
    field.paste(" Lantern\r\nFig");
    EXPECT_EQ(field.text(), "47 Lantern");
    field.erase();
    field.erase();
    EXPECT_EQ(field.text(), "47 Lante");
    EntryField empty;
    empty.erase();
    EXPECT_EQ(empty.text(), "");
}

// Ten pixels a byte, so the tests can count.
int tenEach(std::string_view text) { return 10 * int(text.size()); }

TEST(EntryField, ShowsTheEndThatFitsAndMeasuresABoundedTail) {
    EXPECT_EQ(shell::shownFrom("abc", 100, tenEach), 0u);  // all of it fits
    EXPECT_EQ(shell::shownFrom("abcdefghij", 30, tenEach), 7u);
    EXPECT_EQ(shell::shownFrom("abc", 5, tenEach), 3u);  // not even one character
    EXPECT_EQ(shell::shownFrom("", 5, tenEach), 0u);
    EXPECT_EQ(shell::shownFrom("x\xC3\xA9", 20, tenEach), 1u);  // never inside a character

    const std::string huge(100000, 'a');
    std::size_t longest = 0;
    const auto measured = [&](std::string_view text) { return longest = std::max(longest, text.size()), tenEach(text); };
    EXPECT_EQ(shell::shownFrom(huge, 300, measured), huge.size() - 30);
    EXPECT_LE(longest, 1000u);
}

}  // namespace

// The text of the input box's entry field: what typing, pasting and Backspace do to
// it, and which end of it fits the field. No drawing here.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace shell {

class EntryField {
public:
    // The most characters an entry holds; further ones are ignored. A player holding a
    // key down reaches it in seconds, and an entry without end costs memory and time.
    static constexpr std::size_t kLongest = 1000;

    const std::string& text() const { return text_; }
    // Adds UTF-8 text up to the cap, leaving out control characters.
    void type(std::string_view typed);
    // Adds the first line of pasted text up to the cap.
    void paste(std::string_view pasted);
    // Backspace: drops the last character.
    void erase();

private:
    std::string text_;
    std::size_t characters_ = 0;
};

// Where the end of `text` that fits in `room` pixels starts: the byte offset of the
// first character shown, so that the end of the entry, where the caret is, stays in
// view. `width` measures text in pixels. Measures only a bounded tail of the text, so
// the cost does not grow with the entry.
std::size_t shownFrom(std::string_view text, int room, const std::function<int(std::string_view)>& width);

}  // namespace shell

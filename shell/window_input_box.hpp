// The input box of a window session, as the windows backend gives it: asked by the
// game, or shown with an answer given in advance, as a player typed it (a replay).
#pragma once

#include "runtime/input_box.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace shell {

class WindowInputBox : public rt::InputBoxHost {
public:
    // A replay types its answer a character at a time at this pace, and leaves it in
    // view this long before the box closes, at speed 1.
    static constexpr double kTypingMs = 150, kReadingMs = 600;

    // Opens the box, types `answer` into it and closes it with OK (with Cancel for
    // nullopt), at `speed` times a player's pace; returns when it has closed, or at
    // once where the platform cannot wait (the page), its clock standing still until
    // the box has closed. The player's input meanwhile changes nothing.
    virtual void show(std::string_view prompt, std::string_view title, const std::optional<std::string>& answer,
                      double speed) = 0;
};

}  // namespace shell

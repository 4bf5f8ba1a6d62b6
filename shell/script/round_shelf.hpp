// Where a recorder keeps each round of a session as a script of its own: the folder of
// kept rounds on the desktop, memory in a test.
#pragma once

#include <string>

namespace shell {

class RoundShelf {
public:
    virtual ~RoundShelf() = default;

    // A round begins: the lines that follow, up to end(), are its script.
    virtual void begin() = 0;
    // One line of the round under way, kept at once.
    virtual void line(const std::string& text) = 0;
    // The round is over and its script whole.
    virtual void end() = 0;
};

}  // namespace shell

// A round opened from a link in the page's address: the script it plays, and how it
// ends, found by playing it once without windows before the page plays it at its own
// pace.
#pragma once

#include "runtime/app.hpp"
#include "shell/link/tape_codec.hpp"
#include "shell/script/paced_script.hpp"
#include "shell/script/replay.hpp"

#include <string>
#include <string_view>

namespace shell {

struct LinkedRound {
    std::string script;
    int hits = 0;
    double playedMs = 0;  // what playing it through without windows took
};

// Throws LinkError, one line saying what is wrong, for a link the page cannot play: no
// link, damaged, too long, of a newer KRAX or other rules, or a round that stops short.
LinkedRound openLink(std::string_view link);

// A replay in the page: the player only watches, and turns the page's sound off and on
// with M as the speaker control does. The page's own controls stop it; a window's
// close box is no way out of a round that someone else played.
class PageReplay : public Replay {
public:
    PageReplay(rt::App& app, PacedScript& script) : Replay(app, script, 1) {}
    void closeBox(rt::Form&) override {}
    void keyUp(int keyCode, int shift) override;
};

}  // namespace shell

// The game's sound in the page: the effects made once by the game's synthesizer into
// the page's audio buffers, and played by Web Audio as the hearing names them. The M
// key and the page's speaker control turn it off and on; the page's storage keeps the
// choice.
#pragma once

#include "runtime/app.hpp"
#include "shell/sound/hearing.hpp"

namespace shell {

class PageSound {
public:
    // `remember`: whether an M that the game gets is the player's choice, kept in the
    // page's storage; a replay's M is the recorded player's.
    PageSound(rt::App& app, bool remember);
    ~PageSound();
    PageSound(const PageSound&) = delete;
    PageSound& operator=(const PageSound&) = delete;

    // The speaker control was pressed.
    void switchOver();

private:
    sound::Hearing hearing_;
};

}  // namespace shell

// The page's speaker control: sound off, or on again.
extern "C" void krax_sound_switch();

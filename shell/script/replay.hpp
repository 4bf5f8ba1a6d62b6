// A script played in the windows at the pace of its own clock: the recording of a
// session, or any scenario. The screens, clicks and keys come from the script alone;
// the player watches, and a close box stops the replay.
#pragma once

#include "shell/live_input.hpp"
#include "shell/script/paced_script.hpp"

namespace shell {

class Replay : public LiveInput, private rt::InputBoxHost {
public:
    // `speed`: the script's milliseconds per millisecond of the real clock.
    Replay(rt::App& app, PacedScript& script, double speed) : LiveInput(app), script_(script), speed_(speed) {}

    bool playing() const override { return !stopped_ && !script_.over() && app().Running(); }
    std::optional<rt::Millis> nextWake() const override;
    void catchUp(rt::Millis now) override;
    void mouseDown(rt::Form&, rt::Single, rt::Single, int, int) override {}
    void mouseUp(rt::Form&, rt::Single, rt::Single, int, int) override {}
    void mouseMove(rt::Form&, rt::Single, rt::Single, int, int) override {}
    void keyPress(int) override {}
    // The player's own M turns the replay's sound off and on; nothing else reaches it.
    void keyUp(int keyCode, int) override;
    void closeBox(rt::Form&) override { stopped_ = true; }
    void activate(rt::Form&) override {}
    rt::InputBoxHost& inputBox(WindowInputBox& window) override;
    // What is left once the game has ended (the recording's expect lines) plays at
    // once, unless the player stopped the replay.
    void ended() override;

private:
    std::optional<std::string> ask(std::string_view prompt, std::string_view title) override;

    PacedScript& script_;
    double speed_;
    WindowInputBox* window_ = nullptr;
    bool stopped_ = false;
};

}  // namespace shell

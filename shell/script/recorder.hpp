// Writes a window session down as scenario scripts that `krax --headless` plays again
// exactly: the seed, every input event at the clock time it was handled, each
// catch-up of the real loop that ran timers (however late it woke; a catch-up ahead
// is one for each moment its ticks ran), the input box's answers, and at the end what
// the game's state was, as `expect` lines. It writes the whole session (`--record`),
// each round on its own (the kept rounds), or both.
#pragma once

#include "shell/live_input.hpp"
#include "shell/script/round_shelf.hpp"
#include "shell/script/round_start.hpp"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace shell {

class Recorder : public LiveInput, private rt::InputBoxHost {
public:
    struct To {
        // The whole session, flushed at every line, so that a session that is killed
        // still leaves a script that plays up to there; `name` names it in messages.
        std::ostream* session = nullptr;
        std::string name;
        // Each round, from the input that loads the game screen to the next such input
        // or the end, starting with a `round` line that states what it starts from.
        RoundShelf* rounds = nullptr;
    };

    // A write to the session that fails is reported once on `err`, and the session
    // plays on without it.
    Recorder(rt::App& app, To to, std::ostream& err);

    void catchUp(rt::Millis now) override;
    void mouseDown(rt::Form& form, rt::Single x, rt::Single y, int button, int shift) override;
    void mouseUp(rt::Form& form, rt::Single x, rt::Single y, int button, int shift) override;
    void mouseMove(rt::Form& form, rt::Single x, rt::Single y, int buttons, int shift) override;
    void keyPress(int character) override;
    void keyUp(int keyCode, int shift) override;
    void closeBox(rt::Form& form) override;
    void activate(rt::Form& form) override;
    rt::InputBoxHost& inputBox(WindowInputBox& window) override;
    void ended() override;

private:
    using Line = std::optional<std::string>;

    // One script being written, with the clock time and the seed it has reached.
    struct Script {
        std::function<void(const std::string&)> put;
        rt::Millis written = 0;
        std::optional<std::uint32_t> seed;
    };

    std::optional<std::string> ask(std::string_view prompt, std::string_view title) override;
    // Passes one input on; its line, if it returns one, goes after the time that
    // passed since the last line and what the script must set up before it.
    void event(const std::function<Line()>& deliver);
    bool gameLoaded();
    std::vector<std::string> endLines();
    void beginRound(const RoundStart& start);
    void endRound(const std::vector<std::string>& endLines);
    void passTime(Script& script);
    void setUp(Script& script);
    void forEach(const std::function<void(Script&)>& act);
    void writeSession(const std::string& line);

    std::ostream* session_;
    std::string name_;
    RoundShelf* rounds_;
    std::ostream& err_;
    rt::InputBoxHost* window_ = nullptr;
    std::vector<std::string> answers_;  // given while the current input was handled
    std::optional<Script> whole_;       // the session
    std::optional<Script> round_;       // the round under way
    bool failed_ = false;
};

}  // namespace shell

// Writes a window session down as a scenario script that `krax --headless` plays
// again exactly: the seed, every input event at the clock time it was handled, each
// catch-up of the real loop that ran timers (however late it woke; a catch-up ahead
// is one for each moment its ticks ran), the input box's answers, and at the end what
// the game's state was, as `expect` lines.
#pragma once

#include "shell/live_input.hpp"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace shell {

class Recorder : public LiveInput, private rt::InputBoxHost {
public:
    // Writes to `script`, flushing every line, so that a session that is killed still
    // leaves a script that plays up to there. A write that fails is reported once on
    // `err` and the session plays on unrecorded. `name` names the script in messages.
    Recorder(rt::App& app, std::ostream& script, std::ostream& err, std::string name);

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

    std::optional<std::string> ask(std::string_view prompt, std::string_view title) override;
    // Passes one input on; its line, if it returns one, goes after the time that
    // passed since the last line and what the script must set up before it.
    void event(const std::function<Line()>& deliver);
    void passTime();
    void writeSetUp();
    void write(const std::string& line);

    std::ostream& script_;
    std::ostream& err_;
    std::string name_;
    rt::InputBoxHost* window_ = nullptr;
    std::vector<std::string> answers_;  // given while the current input was handled
    rt::Millis written_ = 0;            // the clock time the script has reached
    std::uint32_t seed_ = 0;            // the seed the script has set
    bool failed_ = false;
};

}  // namespace shell

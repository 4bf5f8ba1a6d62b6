// A script played at a pace its caller keeps, as a replay in windows plays it: the
// clock moves as the script's `wait` and `catchup` lines say once the caller's time
// has come for it, and every other line plays as soon as the lines before it have.
// The caller's time counts from the script's start: from 0, or from the time a
// `round` line puts the clock at, so that a kept round plays from its first moment.
#pragma once

#include "runtime/app.hpp"
#include "shell/script/script_session.hpp"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

class PacedScript {
public:
    // Reads the whole script before anything plays. A script that cannot be read, a
    // line that cannot be split into words, and the lines a replay cannot hold (`set`
    // and `shot`, which no player does) are reported on `err` (`source` names the
    // script) and leave status() at 2. `print` and `dump` write to `out`.
    PacedScript(rt::App& app, std::istream& script, std::ostream& out, std::ostream& err, std::string_view source);
    PacedScript(const PacedScript&) = delete;
    PacedScript& operator=(const PacedScript&) = delete;

    // As the driver's exit status: 0 so far, and at the end when every `expect` held;
    // 1 an `expect` did not hold; 2 a line could not be run. Either failure ends it.
    int status() const { return status_; }
    // Every line has played, or one failed.
    bool over() const { return status_ != 0 || next_ == lines_.size(); }
    // The caller's time by which the script wants to play on: now for a line that does
    // not move the clock, the end of a `catchup`, or the next tick of a `wait` up to
    // its end; nullopt once over.
    std::optional<rt::Millis> nextDue() const;
    // Plays every line due by the caller's time `now`, and the ticks of a `wait` up to
    // `now`.
    void playUntil(rt::Millis now);
    // Where the input boxes the game opens find their answers.
    ScriptedInputBox& inputBox() { return inputBox_; }
    // What the game sounds like while the script plays; its `sounds` lines check it.
    sound::Hearing& hearing() { return hearing_; }

private:
    struct Line {
        std::string text;
        int number;
        std::vector<Word> words;
    };

    int read(std::string_view text, int number);
    bool step(const Line& line, rt::Millis now);

    rt::App& app_;
    std::ostream& err_;
    ScriptedInputBox inputBox_;
    ShotWriter noShots_;
    sound::Hearing hearing_;
    Session session_;
    std::vector<Line> lines_;
    std::size_t next_ = 0;
    std::optional<rt::Millis> until_;  // the end of the clock line under way
    rt::Millis start_ = 0;             // the clock's time at the caller's time 0
    int status_ = 0;
};

}  // namespace shell

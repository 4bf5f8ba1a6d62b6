#include "shell/script/paced_script.hpp"

#include "shell/script/script_commands.hpp"
#include "shell/script/script_error.hpp"
#include "shell/script/script_line.hpp"

#include <algorithm>
#include <limits>

namespace shell {

namespace {
// A line that moves the clock, MS given: `wait MS` or `catchup MS`.
bool movesClock(Words words) {
    return words.size() == 2 && (words[0].text == "wait" || words[0].text == "catchup");
}
}  // namespace

PacedScript::PacedScript(rt::App& app, std::istream& script, std::ostream& out, std::ostream& err,
                         std::string_view source)
    : app_(app), err_(err), inputBox_(err), hearing_(app, true),
      session_{app, inputBox_, out, noShots_, hearing_} {
    app.setErrorStream(err);
    status_ = eachLine(script, err, source, [this](std::string_view text, int number) { return read(text, number); });
}

int PacedScript::read(std::string_view text, int number) {
    return reportLine(text, number, err_, [&] {
        std::vector<Word> words = splitWords(text);
        if (words.empty()) return;
        if (words[0].text == "set" || words[0].text == "shot")
            throw ScriptError("a replay cannot hold " + words[0].text + ", which no player does");
        lines_.push_back({std::string(text), number, std::move(words)});
    });
}

std::optional<rt::Millis> PacedScript::nextDue() const {
    if (over()) return std::nullopt;
    if (!until_) return app_.now() - start_;
    const auto tick = app_.nextTick();
    if (lines_[next_].words[0].text == "wait" && tick) return std::min(*tick, *until_) - start_;
    return *until_ - start_;
}

void PacedScript::playUntil(rt::Millis now) {
    while (!over()) {
        const Line& line = lines_[next_];
        constexpr rt::Millis kEnd = std::numeric_limits<rt::Millis>::max();
        const rt::Millis clock = now > kEnd - start_ ? kEnd : now + start_;
        bool whole = true;
        status_ = reportLine(line.text, line.number, err_, [&] { whole = step(line, clock); });
        if (!whole) return;
        if (line.words[0].text == "round") start_ = app_.now();
        ++next_;
    }
}

// Plays a line as far as `now` allows; true when it has played whole.
bool PacedScript::step(const Line& line, rt::Millis now) {
    if (!movesClock(line.words)) {
        runCommand(session_, line.words);
        return true;
    }
    if (!until_) until_ = later(session_, line.words[1]);
    const bool wait = line.words[0].text == "wait";
    if (now < *until_) {
        if (wait) app_.advanceTo(now);  // the ticks on the way, at their times
        return false;
    }
    if (wait)
        app_.advanceTo(*until_);
    else
        app_.catchUp(*until_);
    until_.reset();
    return true;
}

}  // namespace shell

#include "shell/link/line_player.hpp"

#include "shell/game_start.hpp"
#include "shell/link/state_digest.hpp"
#include "shell/script/script_commands.hpp"

#include <algorithm>

namespace shell {

LinePlayer::LinePlayer() : inputBox_(err_), session_{app_, inputBox_, out_, noShots_, hearing_} {
    app_.setErrorStream(err_);
    app_.setInputBoxHost(&inputBox_);
    setUpGame(app_);
    openGame(app_);
    // Every screen made now, as the first `dump` would make it: timers are counted in
    // the order their screens are made.
    for (const std::string& name : app_.formNames())
        for (const auto& control : app_.form(name).controls())
            if (const auto* timer = dynamic_cast<const rt::Timer*>(control.get())) timers_.push_back(timer);
}

LinePlayer::~LinePlayer() { app_.setInputBoxHost(nullptr); }

void LinePlayer::play(std::string_view line) {
    const std::vector<Word> words = splitWords(line);
    if (!words.empty()) play(words);
}

void LinePlayer::play(Words words) {
    runCommand(session_, words);
    // What the game reported is of no use here; it must not pile up.
    out_.str({});
    err_.str({});
}

std::uint64_t LinePlayer::state() { return stateDigest(app_); }

// A timer that sleeps lets its ticks pass only when something asks: its deadline may lie
// behind the clock by whole periods. Its next beat after now is what it will keep.
std::optional<rt::Millis> LinePlayer::beat(std::size_t timer) const {
    const auto due = timers_[timer]->deadline();
    if (!due || *due > app_.now()) return due;
    const rt::Millis period = std::max<rt::Millis>(timers_[timer]->Interval(), rt::Timer::kShortestPeriod);
    return *due + ((app_.now() - *due) / period + 1) * period;
}

bool LinePlayer::sameTimers(const LinePlayer& other) const {
    for (std::size_t t = 0; t < timers_.size(); ++t)
        if (beat(t) != other.beat(t) || app_.sleeps(*timers_[t]) != other.app_.sleeps(*other.timers_[t])) return false;
    return true;
}

}  // namespace shell

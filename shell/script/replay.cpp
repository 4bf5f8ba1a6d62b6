#include "shell/script/replay.hpp"

#include <cmath>
#include <limits>

namespace shell {

std::optional<rt::Millis> Replay::nextWake() const {
    const auto due = script_.nextDue();
    if (!due) return std::nullopt;
    return rt::Millis(std::ceil(double(*due) / speed_));
}

void Replay::catchUp(rt::Millis now) { script_.playUntil(rt::Millis(double(now) * speed_)); }

void Replay::keyUp(int keyCode, int) {
    sound::Hearing& hearing = script_.hearing();
    if (keyCode == sound::kMuteKey) hearing.setMuted(!hearing.muted());
}

rt::InputBoxHost& Replay::inputBox(WindowInputBox& window) {
    window_ = &window;
    return *this;
}

void Replay::ended() {
    if (!stopped_) script_.playUntil(std::numeric_limits<rt::Millis>::max());
}

// The script's answer, shown in the window as the player typed it.
std::optional<std::string> Replay::ask(std::string_view prompt, std::string_view title) {
    auto answer = script_.inputBox().ask(prompt, title);
    if (window_) window_->show(prompt, title, answer, speed_);
    return answer;
}

}  // namespace shell

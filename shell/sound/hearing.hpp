// The game heard as a player hears it: after each event and each timer tick, what it
// did to the game screen's values names the effects to play. A hit scores +1 or -5, a
// carrot goes with no hit, the reload screen rises, the gun is refilled by a key, the
// level rises, the clock shows one of the last ten seconds or ends the round, a button
// is clicked. Events come one at a time even when a wake-up catches up several ticks,
// so a gun going 1, 0, 6 is heard as a throw and the reload screen.
#pragma once

#include "runtime/app.hpp"
#include "shell/sound/effects.hpp"

#include <functional>
#include <span>
#include <utility>
#include <vector>

namespace sound {

// What the hearing compares of the game, before and after an event.
struct RoundView {
    bool made = false;  // the game screen's instance exists
    int hits = 0;
    int bullets = 0;
    int level = 0;
    int timeLeft = 0;
    bool reloadShown = false;
};

RoundView look(const rt::App& app);

// The effects of one event that took the game from `before` to `after`, running `ran`.
std::vector<Effect> choose(const RoundView& before, const RoundView& after, std::span<const rt::HandlerRun> ran);

// The M key: sound off and on.
constexpr int kMuteKey = 77;

// Hears `app` for as long as it lives, and plays what it hears unless muted.
class Hearing : private rt::EventListener {
public:
    using Sink = std::function<void(Effect)>;

    // `keepLog`: keep what is played for takeHeard(), as the scenario driver asks.
    Hearing(rt::App& app, bool keepLog);
    ~Hearing() override;
    Hearing(const Hearing&) = delete;
    Hearing& operator=(const Hearing&) = delete;

    // Where the effects go: a mixer, the page's audio.
    void setSink(Sink sink) { sink_ = std::move(sink); }
    bool muted() const { return muted_; }
    void setMuted(bool muted) { muted_ = muted; }
    // Told when the M key turns sound off (true) or on (false).
    void setOnMuteKey(std::function<void(bool)> told) { onMuteKey_ = std::move(told); }
    // The effects played since the last call, in order.
    std::vector<Effect> takeHeard() { return std::exchange(log_, {}); }

private:
    void eventBegins(const rt::App& app) override { before_ = look(app); }
    void eventEnded(const rt::App& app, std::span<const rt::HandlerRun> ran) override;
    void keyReleased(int keyCode) override;

    rt::App& app_;
    bool keepLog_;
    bool muted_ = false;
    RoundView before_;
    Sink sink_;
    std::function<void(bool)> onMuteKey_;
    std::vector<Effect> log_;
};

}  // namespace sound

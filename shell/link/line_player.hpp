// A program of its own, started as `krax --headless` starts one, that plays script
// lines one at a time and shows what a link's maker compares: the state as `dump`
// writes it, and when each timer ticks next.
#pragma once

#include "runtime/app.hpp"
#include "shell/script/script_session.hpp"
#include "shell/script/scripted_input_box.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

class LinePlayer {
public:
    LinePlayer();
    ~LinePlayer();
    LinePlayer(const LinePlayer&) = delete;
    LinePlayer& operator=(const LinePlayer&) = delete;

    rt::App& app() { return app_; }
    // Runs one line as the driver does; throws ScriptError for a line that cannot be
    // run and ExpectFailure for an `expect` that did not hold.
    void play(std::string_view line);
    void play(Words words);
    // As `wait`: the ticks on the way, each at its own moment.
    void advanceTo(rt::Millis moment) { app_.advanceTo(moment); }

    // A digest of the whole state, as `dump` writes it.
    std::uint64_t state();
    // Whether the timers of both keep the same schedule: each ticks next at the same
    // moment (as far as its schedule goes), and sleeps or not alike.
    bool sameTimers(const LinePlayer& other) const;

private:
    std::optional<rt::Millis> beat(std::size_t timer) const;

    std::ostringstream out_, err_;  // what the game and the lines say, unread
    ScriptedInputBox inputBox_;
    ShotWriter noShots_;
    rt::App app_;
    sound::Hearing hearing_{app_, true};  // for the lines that check the sounds
    Session session_;
    std::vector<const rt::Timer*> timers_;
};

}  // namespace shell

#include "tests/monkey/monkey_session.hpp"

#include "shell/game_start.hpp"
#include "shell/script/driver.hpp"
#include "shell/values/state_paths.hpp"
#include "tests/monkey/monkey_player.hpp"

#include <algorithm>
#include <istream>
#include <sstream>
#include <streambuf>

namespace monkey {

namespace {
constexpr int kHoles = 8;

std::int64_t whole(const rt::Value& value) {
    if (const auto* n = std::get_if<rt::Integer>(&value)) return n->value();
    return std::get<rt::Long>(value);
}

// The script the driver reads: each time it asks for a line, the checks of what the
// last one did, then the player's next line. A failed check ends the script.
class MonkeyScript : public std::streambuf {
public:
    MonkeyScript(rt::App& app, Player& player, const std::ostringstream& err, int& events,
                 std::ostream& transcript, Reached& reached)
        : app_(app), player_(player), err_(err), events_(events), transcript_(transcript), reached_(reached) {}

    const std::string& failure() const { return failure_; }

    // What must hold after every line, whatever the player did; empty when all does.
    std::string broken() {
        if (whole(read("App.Time")) != player_.waited()) return "App.Time is not the sum of the waits";
        if (std::string problem = errorsProblem(); !problem.empty()) return problem;
        if (!app_.Running()) return {};
        const rt::Form* active = app_.ActiveForm();
        if (app_.windows().empty()) return "the program runs with no screen shown";
        if (!active || !active->Visible()) return "the active screen is not a shown one";
        ++reached_.screens[std::string(active->name())];
        const std::int64_t timeLeft = whole(read("Form2.intTimeLeft"));
        if (timeLeft < 0 || timeLeft > 60) return "Form2.intTimeLeft is " + std::to_string(timeLeft);
        for (int n = 1; n <= kHoles; ++n) {
            const std::int64_t ticks = whole(read("Form2.intHoleTicks" + std::to_string(n)));
            const bool counting = std::get<bool>(read("Form2.tmrDisappear" + std::to_string(n) + ".Enabled"));
            if (ticks < 0 || ticks > 3 || (!counting && ticks != 0))
                return "hole " + std::to_string(n) + " has " + std::to_string(ticks) + " ticks with its countdown " +
                       (counting ? "running" : "stopped");
        }
        return {};
    }

protected:
    int_type underflow() override {
        failure_ = broken();
        if (!failure_.empty() || !app_.Running() || events_ == 0) return traits_type::eof();
        line_ = player_.nextLine() + '\n';
        transcript_ << line_ << std::flush;
        --events_;
        ++reached_.events;
        setg(line_.data(), line_.data(), line_.data() + line_.size());
        return traits_type::to_int_type(line_[0]);
    }

private:
    rt::Value read(const std::string& path) { return shell::findSlot(app_, path).read(); }

    // Standard error since the last look must hold just the note of a code box that
    // found no answer waiting, where the player left none, and else nothing.
    std::string errorsProblem() {
        const std::string text = err_.str().substr(errorsSeen_);
        errorsSeen_ += text.size();
        const bool noted = text.starts_with("krax: input box ") &&
                           text.find("found no answer waiting") != std::string::npos &&
                           std::count(text.begin(), text.end(), '\n') == 1;
        if (player_.noteExpected()) return noted ? "" : "the code box did not note its Cancel: " + text;
        return text.empty() ? "" : "unexpected on standard error: " + text;
    }

    rt::App& app_;
    Player& player_;
    const std::ostringstream& err_;
    int& events_;
    std::ostream& transcript_;
    Reached& reached_;
    std::string line_, failure_;
    std::size_t errorsSeen_ = 0;
};
}  // namespace

Outcome playSession(std::uint32_t playerSeed, std::uint32_t gameSeed, int& events, std::ostream& transcript,
                    Reached& reached) {
    rt::App app;
    std::ostringstream out, err;
    app.setErrorStream(err);
    shell::startOnSeed(app, gameSeed);
    Player player(app, playerSeed);
    MonkeyScript script(app, player, err, events, transcript, reached);
    std::istream in(&script);
    const int status = shell::playScript(app, in, out, err);
    reached.virtualMs += app.now();
    if (!script.failure().empty()) return {false, script.failure()};
    if (status != 0) return {false, "the driver stopped with status " + std::to_string(status) + ": " + err.str()};
    return {!app.Running(), {}};
}

}  // namespace monkey

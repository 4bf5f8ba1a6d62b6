#include "tests/late_session.hpp"

#include "shell/game_start.hpp"
#include "shell/script/recorder.hpp"
#include "shell/values/state_paths.hpp"
#include "tests/timer_mode.hpp"

#include <limits>
#include <random>
#include <sstream>
#include <vector>

namespace late_session {

namespace {
constexpr rt::Single kTwipsPerPixel = 15;

class Session : private shell::WindowInputBox {
public:
    Session(std::uint32_t seed, Style style) : rng_(seed), style_(style) {
        live_.setErrorStream(errors_);
        useTimerMode(live_);
        shell::setUpGame(live_, seed);  // the same round every time
        recorder_.emplace(live_, shell::Recorder::To{&script_, "late.script", nullptr}, errors_);
        live_.setInputBoxHost(&recorder_->inputBox(*this));
        shell::openGame(live_);
    }
    ~Session() override { live_.setInputBoxHost(nullptr); }

    std::string play(Figures& figures) {
        clickAt("Form1", 351, 343);  // START
        while (live_.Running() && playing()) playerMoves();
        idle(now_ + 2500);
        for (rt::Form* shown : std::vector<rt::Form*>(live_.windows())) later(300, [&] { recorder_->closeBox(*shown); });
        recorder_->ended();
        figures_.wakeUps = wakeUps_;
        figures = figures_;
        return script_.str();
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    int value(const std::string& path) {
        return std::get<rt::Integer>(shell::findSlot(live_, path).read()).value();
    }

    // A loop that wakes for its timers on time or a millisecond late, now and then a
    // few milliseconds, rarely very late, as a desktop under X wakes it.
    rt::Millis lateness() {
        const int roll = pick(0, 999);
        if (roll < 750) return 0;
        if (roll < 900) return 1;
        if (roll < 960) return pick(2, 5);
        if (roll < 990) return pick(6, 20);
        return pick(21, 70);
    }

    void idle(rt::Millis until) {
        while (live_.Running()) {
            const auto due = recorder_->nextWake();
            const rt::Millis wake = due ? std::max(now_, *due + lateness()) : std::numeric_limits<rt::Millis>::max();
            const rt::Millis restless = style_ == Style::Restless ? now_ + pick(16, 60) : wake;
            const rt::Millis next = std::min({wake, restless, until});
            if (next >= until) break;
            now_ = next;
            recorder_->catchUp(now_);
            ++wakeUps_;
            if (next == restless && next != wake) movePointer(pointerX_ + pick(-8, 8), pointerY_ + pick(-8, 8));
        }
        now_ = std::max(now_, until);
        recorder_->catchUp(now_);
    }

    template <class Act>
    void later(int ms, Act act) {
        idle(now_ + ms);
        if (live_.Running()) act();
    }

    rt::Form& front() { return *live_.windows().front(); }

    void movePointer(int x, int y) {
        pointerX_ = std::clamp(x, 0, 453);
        pointerY_ = std::clamp(y, 0, 530);
        if (live_.windows().empty()) return;
        recorder_->mouseMove(front(), rt::Single(pointerX_) * kTwipsPerPixel, rt::Single(pointerY_) * kTwipsPerPixel, 0, 0);
        ++figures_.moves;
    }

    void clickAt(const char* screen, int x, int y) {
        later(pick(30, 100), [&] { movePointer((pointerX_ + x) / 2, (pointerY_ + y) / 2); });
        later(pick(40, 90), [&] { movePointer(x, y); });
        rt::Form& form = live_.form(screen);
        const rt::Single tx = rt::Single(x) * kTwipsPerPixel, ty = rt::Single(y) * kTwipsPerPixel;
        later(pick(20, 90), [&] { recorder_->mouseDown(form, tx, ty, rt::kLeftButton, 0); });
        later(pick(60, 130), [&] { recorder_->mouseUp(form, tx, ty, rt::kLeftButton, 0); });
        ++figures_.clicks;
    }

    void reload() {
        later(pick(150, 400), [&] { recorder_->keyPress('r'); });
        later(pick(50, 110), [&] { recorder_->keyUp('R', 0); });
        ++figures_.keys;
    }

    // A steady shooter fires for a minute and a bit, whatever the round's clock says.
    bool playing() {
        if (style_ == Style::Steady) return now_ < 62000;
        return value("Form2.intTimeLeft") > 0 && now_ < 70000;
    }

    // Reloads when the carrots run low; else shoots a pig that is up, or at random now and then.
    void playerMoves() {
        // A steady shooter reloads after every fifth shot.
        if (value("Form2.intBullets") <= 1 || (style_ == Style::Steady && figures_.clicks >= 5 * (figures_.keys + 1)))
            return reload();
        for (const auto& control : live_.form("Form2").controls()) {
            const std::string_view name = control->name();  // imgP1 to imgP5 are pigs, the rest dogs
            if (name.starts_with("imgP") && name[4] <= '5' && control->Visible() && pick(0, 9) > 0 &&
                !(control.get() == shot_ && now_ - shotAt_ < 1600)) {
                shot_ = control.get();
                shotAt_ = now_;
                const rt::Rect& r = control->rect();
                const int x = int((r.left + rt::Single(pick(2, 8)) * r.width / 10) / kTwipsPerPixel);
                const int y = int((r.top + rt::Single(pick(2, 8)) * r.height / 10) / kTwipsPerPixel);
                return clickAt("Form2", x, y);
            }
        }
        if (style_ == Style::Steady) {
            idle(now_ + pick(60, 240));  // a person's pace: a shot every 440 ms or so
            return clickAt("Form2", pick(10, 440), pick(60, 520));
        }
        if (pick(0, 19) == 0) return clickAt("Form2", pick(10, 440), pick(60, 520));
        idle(now_ + pick(20, 80));
    }

    std::optional<std::string> ask(std::string_view, std::string_view) override { return std::nullopt; }
    void show(std::string_view, std::string_view, const std::optional<std::string>&, double) override {}

    std::mt19937 rng_;
    Style style_;
    rt::App live_;
    std::ostringstream script_, errors_;
    std::optional<shell::Recorder> recorder_;
    rt::Millis now_ = 0;
    int pointerX_ = 200, pointerY_ = 200;
    int wakeUps_ = 0;
    Figures figures_;
    const rt::Control* shot_ = nullptr;  // the last pig shot at, which a player leaves alone a while
    rt::Millis shotAt_ = 0;
};
}  // namespace

std::string humanRound(std::uint32_t seed, Style style, Figures* figures) {
    Figures own;
    Session session(seed, style);
    return session.play(figures ? *figures : own);
}

}  // namespace late_session

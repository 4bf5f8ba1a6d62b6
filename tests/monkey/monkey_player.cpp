#include "tests/monkey/monkey_player.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace monkey {

namespace {
constexpr std::array<std::string_view, 9> kNamedKeys{"Up", "Enter", "Escape", "Down", "Left",
                                                     "Right", "Space", "Backspace", "Tab"};
// The four codes, and near misses of each.
constexpr std::array<std::string_view, 4> kCodes{"47", "Lantern", "Fig", "Cobra"};
constexpr std::array<std::string_view, 12> kNearMisses{"4", "470", "47 ", "lantern", "LANTERN", "Lanter",
                                                       "fig", "Fig ", "cobra", "Cobr", "", "x"};

constexpr const char* kFastPig = "imgP5";
constexpr const char* kRoundOverCover = "Label5";  // blanks the playfield when the round ends
constexpr int kCheatersScore = 125;                 // into the top band

bool isTarget(const rt::Control& c) { return std::string_view(c.name()).starts_with("imgP"); }
// Holes 1 to 5 hold pigs, 6 to 8 dogs.
bool isPig(const rt::Control& c) { return isTarget(c) && c.name()[4] <= '5'; }
bool isCarrot(const rt::Control& c) { return std::string_view(c.name()).starts_with("bullet"); }
std::string whole(rt::Single x) { return std::to_string(static_cast<long>(std::floor(x))); }
}  // namespace

std::string Player::nextLine() {
    if (sharp_)
        if (auto line = sharpMove()) return *line;
    const int kind = pick(0, 999);
    if (kind < 350) return wait();
    if (kind < 700) return click();
    if (kind < 800) return move();
    if (kind < 940) return key();
    if (kind < 998) return cheater_ ? wait() : answer();  // a cheater's answers are for cheating
    return close();
}

// While a round runs: a pig that is up is shot, nearly always, a gun running low is
// reloaded, and else the player waits a moment. Elsewhere, as anybody plays.
std::optional<std::string> Player::sharpMove() {
    if (cheatStep_ > 0) return cheat();
    if (!gameScreenTakesInput()) return std::nullopt;
    rt::Form& game = *app_.ActiveForm();
    if (game.control(kRoundOverCover).Visible()) return std::nullopt;
    if (cheater_ && answersWaiting_ == 0 && waited_ - lastCheat_ >= 900 && score(game) < kCheatersScore)
        return cheat();
    if (const rt::Control* pig = pigToShoot(game); pig && chance(0.98))
        return "click Form2 " + pointIn(game, pig->rect());
    const auto carrots = std::count_if(game.controls().begin(), game.controls().end(),
                                       [](const auto& c) { return isCarrot(*c) && c->Visible(); });
    if (carrots <= 2 && chance(0.5)) return "key R";
    return waitUpTo(400);
}

// A cheat a player can find with the codes: freeze the round, call up the reload
// screen and press its Reload button. The game screen comes back to the front, and its
// Form_Activate starts the clock's second afresh: done often enough, the round lasts
// as long as the player likes. One step a line.
std::string Player::cheat() {
    switch (cheatStep_++) {
        case 0: return answerWith("Cobra");
        case 1: return press("Up");
        case 2: return answerWith("Lantern");
        case 3: return press("Up");
        default:
            cheatStep_ = 0;
            lastCheat_ = waited_;
            if (!app_.form("frmCredits").Visible()) return waitUpTo(150);  // a code went astray
            return "click frmCredits.Image2";
    }
}

// The score as the label shows it.
int Player::score(rt::Form& game) {
    const auto caption = game.control("lblHits").get("Caption");
    return std::atoi(std::get<std::string>(*caption).c_str() + std::string_view("Hits: ").size());
}

// Any pig that is up but the one of the fast hole, whose pace brings rolls every 50 ms
// while it stands: that one is left to stand a second before it is shot.
const rt::Control* Player::pigToShoot(rt::Form& game) {
    std::vector<const rt::Control*> up;
    bool fastPigUp = false;
    for (const auto& control : game.controls()) {
        if (!control->Visible() || !isPig(*control)) continue;
        const bool fast = control->name() == std::string_view(kFastPig);
        fastPigUp = fastPigUp || fast;
        if (!fast || waited_ - fastPigSince_ >= 1300) up.push_back(control.get());
    }
    if (!fastPigUp) fastPigSince_ = waited_;
    return up.empty() ? nullptr : oneOf(up);
}

bool Player::gameScreenTakesInput() const {
    const rt::Form* active = app_.ActiveForm();
    return active && active->name() == std::string_view("Form2") && active->Enabled();
}

// Mostly the short waits of busy play, now and then a longer look.
std::string Player::wait() { return waitUpTo(chance(0.7) ? 300 : 3000); }

std::string Player::waitUpTo(int most) {
    const int ms = pick(0, most);
    waited_ += ms;
    return "wait " + std::to_string(ms);
}

std::string Player::click() {
    rt::Form& form = someShownScreen();
    std::string line = "click " + std::string(form.name()) + " ";
    const rt::Control* target = someTargetUp(form);
    // A player aims at what pops up, though not every time.
    line += target && chance(0.7) ? pointIn(form, target->rect()) : somePoint(form);
    return chance(0.2) ? line + " right" : line;
}

std::string Player::move() {
    rt::Form& form = someShownScreen();
    return "move " + std::string(form.name()) + " " + somePoint(form);
}

std::string Player::key() {
    const int kind = pick(0, 9);
    std::string name;
    if (kind < 3) name = chance(0.5) ? "R" : "r";
    else if (kind < 5) name = "Up";
    else if (kind < 7) name = std::string(oneOf(kNamedKeys));
    else {
        const char first = chance(0.5) ? 'a' : 'A';
        name = std::string(1, char(first + pick(0, 25)));
    }
    return press(name);
}

std::string Player::press(const std::string& name) {
    // The code box opens for the Up arrow released on the game screen when it takes keys.
    if (name == "Up" && gameScreenTakesInput()) {
        if (answersWaiting_ > 0) --answersWaiting_;
        else noteExpected_ = true;
    }
    return "key " + name;
}

std::string Player::answer() {
    const int kind = pick(0, 9);
    if (kind < 2) {
        ++answersWaiting_;
        return "cancel";
    }
    return answerWith(kind < 5 ? oneOf(kCodes) : oneOf(kNearMisses));
}

std::string Player::answerWith(std::string_view code) {
    ++answersWaiting_;
    return "answer \"" + std::string(code) + "\"";
}

// Rare: a close box ends the session when it closes the last screen.
std::string Player::close() {
    std::vector<rt::Form*> closable;
    for (rt::Form* form : app_.windows())
        if (form->layout().style != rt::WindowStyle::Borderless) closable.push_back(form);
    if (closable.empty()) return wait();
    return "close " + std::string(oneOf(closable)->name());
}

rt::Form& Player::someShownScreen() { return *oneOf(app_.windows()); }

std::string Player::somePoint(rt::Form& form) {
    std::vector<const rt::Control*> onScreen;
    for (const auto& control : form.controls())
        if (control->Visible() && control->takesMouse()) onScreen.push_back(control.get());
    if (!onScreen.empty() && chance(0.6)) return pointIn(form, oneOf(onScreen)->rect());
    return pointIn(form, {0, 0, form.layout().clientWidth, form.layout().clientHeight});
}

// A point of the rectangle that lies in the client area, else one anywhere in it.
std::string Player::pointIn(rt::Form& form, const rt::Rect& r) {
    const rt::Single width = form.layout().clientWidth, height = form.layout().clientHeight;
    const rt::Single left = std::max<rt::Single>(r.left, 0), right = std::min(r.left + r.width, width);
    const rt::Single top = std::max<rt::Single>(r.top, 0), bottom = std::min(r.top + r.height, height);
    if (right - left < 1 || bottom - top < 1) return pointIn(form, {0, 0, width, height});
    const auto between = [&](rt::Single lo, rt::Single hi) {
        return std::uniform_real_distribution<rt::Single>(lo, hi - 1)(rng_);
    };
    const rt::Single x = between(left, right);  // drawn in this order on every compiler
    return whole(x) + " " + whole(between(top, bottom));
}

const rt::Control* Player::someTargetUp(rt::Form& form) {
    std::vector<const rt::Control*> up;
    for (const auto& control : form.controls())
        if (control->Visible() && isTarget(*control)) up.push_back(control.get());
    return up.empty() ? nullptr : oneOf(up);
}

}  // namespace monkey

#include "shell/script/round_start.hpp"

#include "runtime/value.hpp"
#include "shell/game_start.hpp"
#include "shell/script/script_error.hpp"
#include "shell/script/script_values.hpp"
#include "shell/values/state_paths.hpp"

#include <algorithm>
#include <limits>
#include <set>

namespace shell {

namespace {
const std::string kUsage = "usage: " + std::string(kRoundUsage);
// The target timer's roll is ten times a random fraction, rounded; the time bar's
// blink is off or on.
constexpr int kHighestRoll = 10;
constexpr int kHighestPhase = 1;

std::string gameValue(std::string_view name) { return std::string(gameScreen()) + "." + std::string(name); }

int integerAt(rt::App& app, std::string_view name) {
    return std::get<rt::Integer>(findSlot(app, gameValue(name)).read()).value();
}

bool contains(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += ' ' + name;
    return text;
}

// The words after the four values: keywords, each followed by the names it takes.
class Groups {
public:
    explicit Groups(Words words) : words_(words) {}

    // The bare words after `keyword` up to the next of `ends`; at least one.
    std::vector<std::string> take(std::string_view keyword, std::initializer_list<std::string_view> ends) {
        if (!at(keyword)) throw ScriptError(kUsage);
        std::vector<std::string> names;
        for (++next_; next_ < words_.size() && !atAny(ends); ++next_) {
            if (words_[next_].quoted) throw ScriptError("expected a screen name, not " + written(words_[next_]));
            names.push_back(words_[next_].text);
        }
        if (names.empty()) throw ScriptError(kUsage);
        return names;
    }
    std::string takeOne(std::string_view keyword) {
        std::vector<std::string> names = take(keyword, {"active", "hidden", "pressed"});
        if (names.size() != 1) throw ScriptError(kUsage);
        return names.front();
    }
    bool at(std::string_view keyword) const {
        return next_ < words_.size() && !words_[next_].quoted && words_[next_].text == keyword;
    }
    bool done() const { return next_ == words_.size(); }

private:
    bool atAny(std::initializer_list<std::string_view> keywords) const {
        return std::any_of(keywords.begin(), keywords.end(), [this](std::string_view k) { return at(k); });
    }

    Words words_;
    std::size_t next_ = 5;
};

void checkNames(rt::App& app, const RoundStart& start) {
    std::set<std::string> seen;
    for (const auto* names : {&start.shown, &start.hidden}) {
        for (const std::string& name : *names) {
            if (!app.defines(name)) throw ScriptError("unknown screen " + rt::quoted(name));
            if (name == gameScreen()) throw ScriptError("a round begins with " + name + " not loaded");
            if (!seen.insert(name).second) throw ScriptError(name + " is named twice");
        }
    }
    if (!contains(start.shown, start.active)) throw ScriptError("the active screen must be a shown one");
}

void checkPressed(const RoundStart& start) {
    const std::size_t dot = start.pressed.find('.');
    const std::string screen = start.pressed.substr(0, dot);
    const std::string_view button = buttonToGame(screen);
    if (!contains(start.shown, screen) || button.empty() || start.pressed.substr(dot + 1) != button)
        throw ScriptError("pressed must name the button of a shown screen that leads to " +
                          std::string(gameScreen()) + ", not " + start.pressed);
}

// Before the first round the game screen has never loaded; after one, no button leads
// back to the menu, and the menu is only ever hidden by the code that shows the reload
// screen.
void checkScreens(const RoundStart& start) {
    const bool before = std::any_of(start.shown.begin(), start.shown.end(), beforeAnyRound);
    if (before) {
        if (start.shown.size() != 1 || !start.hidden.empty() || start.appearRoll != 0 || start.blinkPhase != 0 ||
            !start.code.empty())
            throw ScriptError("before the first round one screen is shown alone and the game screen holds "
                              "0 0 \"\"");
        return;
    }
    for (const std::string& name : start.hidden)
        if (name != firstScreen()) throw ScriptError("no round leaves " + name + " loaded and hidden");
}

// A shown, enabled screen's button held down, as a pointer pressed on its centre.
void press(rt::App& app, const std::string& pressed) {
    const std::size_t dot = pressed.find('.');
    rt::Form& form = app.form(pressed.substr(0, dot));
    rt::Control& button = form.control(pressed.substr(dot + 1));
    const rt::Rect& r = button.rect();
    app.mouseDown(form, r.left + r.width / 2, r.top + r.height / 2, rt::kLeftButton, 0);
    if (app.capture().target != &button) throw ScriptError(pressed + " cannot be pressed");
}

void startRound(rt::App& app, const RoundStart& start) {
    app.advanceTo(start.time);
    app.apply([&] {
        findSlot(app, gameValue("intAppearRoll")).write(rt::Integer(start.appearRoll));
        findSlot(app, gameValue("intBlinkPhase")).write(rt::Integer(start.blinkPhase));
        findSlot(app, gameValue("strCode")).write(start.code);
        // Shown back to front, each coming to the front; the menu goes last, so that
        // some screen is always shown.
        for (auto name = start.shown.rbegin(); name != start.shown.rend(); ++name) app.form(*name).Show();
        rt::Form& first = app.form(firstScreen());
        if (contains(start.hidden, first.name()))
            first.setVisible(false);
        else if (!contains(start.shown, first.name()))
            first.Unload();
        app.activate(app.form(start.active));
    });
    press(app, start.pressed);
}
}  // namespace

RoundStart roundStartOf(rt::App& app) {
    RoundStart start;
    start.time = app.now();
    start.appearRoll = integerAt(app, "intAppearRoll");
    start.blinkPhase = integerAt(app, "intBlinkPhase");
    start.code = std::get<std::string>(findSlot(app, gameValue("strCode")).read());
    for (const rt::Form* form : app.windows()) start.shown.emplace_back(form->name());
    if (const rt::Form* active = app.ActiveForm()) start.active = active->name();
    for (const std::string& name : app.formNames())
        if (app.form(name).Loaded() && !app.form(name).Visible()) start.hidden.push_back(name);
    if (const auto& down = app.capture(); down.form && down.target)
        start.pressed = std::string(down.form->name()) + "." + down.target->path();
    return start;
}

std::string roundLine(const RoundStart& start) {
    std::string line = "round " + std::to_string(start.time) + ' ' + std::to_string(start.appearRoll) + ' ' +
                       std::to_string(start.blinkPhase) + ' ' + rt::quoted(start.code);
    line += " shown" + joined(start.shown) + " active " + start.active;
    if (!start.hidden.empty()) line += " hidden" + joined(start.hidden);
    return line + " pressed " + start.pressed;
}

RoundStart readRoundStart(rt::App& app, Words words) {
    if (words.size() < 5) throw ScriptError(kUsage);
    RoundStart start;
    start.time = wholeNumberIn(words[1], 0, std::numeric_limits<rt::Long>::max());
    start.appearRoll = int(wholeNumberIn(words[2], 0, kHighestRoll));
    start.blinkPhase = int(wholeNumberIn(words[3], 0, kHighestPhase));
    start.code = words[4].text;
    Groups groups(words);
    start.shown = groups.take("shown", {"active"});
    start.active = groups.takeOne("active");
    if (groups.at("hidden")) start.hidden = groups.take("hidden", {"pressed"});
    start.pressed = groups.takeOne("pressed");
    if (!groups.done()) throw ScriptError(kUsage);
    checkNames(app, start);
    checkPressed(start);
    checkScreens(start);
    return start;
}

void round(Session& session, Words words) {
    if (!session.fresh) throw ScriptError("round comes before every other line but seed and every-tick");
    startRound(session.app, readRoundStart(session.app, words));
}

}  // namespace shell

#include "shell/script/input_commands.hpp"

#include "shell/values/key_names.hpp"
#include "shell/script/script_error.hpp"
#include "shell/script/script_values.hpp"
#include "shell/values/state_paths.hpp"

#include <string>

namespace shell {

namespace {
// A point on a screen, in twips from the top-left corner of its client area.
struct Target {
    rt::Form& form;
    rt::Single x, y;
};

void requireShown(const rt::App& app, const rt::Form& form) {
    if (!app.Running() || !form.Visible()) throw ScriptError(std::string(form.name()) + " is not shown");
}

Target inside(Target target) {
    if (!target.form.insideClient(target.x, target.y))
        throw ScriptError(rt::format(target.x) + ", " + rt::format(target.y) + " lies outside the client area of " +
                          target.form.name());
    return target;
}

rt::Single coordinate(const Word& word) {
    const auto x = word.quoted ? std::nullopt : number(word.text);
    if (!x) throw ScriptError("expected a number of twips, not " + written(word));
    return *x;
}

// FORM X Y
Target pointTarget(rt::App& app, Words words) {
    rt::Form& form = knownScreen(app, words[0].text);
    const Target target{form, coordinate(words[1]), coordinate(words[2])};
    requireShown(app, form);
    return inside(target);
}

// FORM.CONTROL: the centre of the control's rectangle.
Target controlTarget(rt::App& app, std::string_view path) {
    const std::size_t dot = path.find('.');
    rt::Form& form = knownScreen(app, path.substr(0, dot));
    const rt::Control* control = findControl(form, path.substr(dot + 1));
    if (!control) throw ScriptError("unknown control " + rt::quoted(std::string(path)));
    requireShown(app, form);
    const rt::Rect& r = control->rect();
    return inside({form, r.left + r.width / 2, r.top + r.height / 2});
}

int button(const Word& word) {
    if (word.text == "left") return rt::kLeftButton;
    if (word.text == "right") return rt::kRightButton;
    throw ScriptError("expected left or right, not " + written(word));
}

// The optional SHIFT word of an event: Shift 1, Ctrl 2, Alt 4, added up.
int shiftAt(Words words, std::size_t at) { return at < words.size() ? int(wholeNumberIn(words[at], 0, 7)) : 0; }

// A window system gives the focus to a shown window, unless it is disabled.
void activateWindow(rt::App& app, rt::Form& form) {
    if (form.Enabled() && app.ActiveForm() != &form) app.activate(form);
}

// As a window system does: a click on an inactive window activates it first. A
// disabled window takes neither.
void press(rt::App& app, const Target& target, int which) {
    activateWindow(app, target.form);
    app.mouseDown(target.form, target.x, target.y, which, 0);
    app.mouseUp(target.form, target.x, target.y, which, 0);
}

// FORM X Y [BUTTON [SHIFT]] of a button going down or up, anywhere: a window system
// reports where the button came up even outside the window, and a screen that is
// gone by then takes nothing.
struct ButtonEvent {
    rt::Form& form;
    rt::Single x, y;
    int button, shift;
};

ButtonEvent buttonEvent(rt::App& app, Words words) {
    return {knownScreen(app, words[1].text), coordinate(words[2]), coordinate(words[3]),
            words.size() > 4 ? named(kButtonWords, words[4]) : rt::kLeftButton, shiftAt(words, 5)};
}

int keyCode(const Word& word) { return int(wholeNumberIn(word, 0, 255)); }
}  // namespace

ClickAt clickAt(rt::App& app, Words words) {
    const bool onControl = words[1].text.find('.') != std::string::npos;
    const std::size_t targetWords = onControl ? 1 : 3;
    if (words.size() != targetWords + 1 && words.size() != targetWords + 2)
        throw ScriptError("usage: " + std::string(kClickUsage));
    const Target target = onControl ? controlTarget(app, words[1].text) : pointTarget(app, words.subspan(1, 3));
    return {target.form, target.x, target.y, words.size() > targetWords + 1 ? button(words.back()) : rt::kLeftButton};
}

void click(Session& session, Words words) {
    const ClickAt at = clickAt(session.app, words);
    press(session.app, {at.form, at.x, at.y}, at.button);
}

void move(Session& session, Words words) {
    const Target target = pointTarget(session.app, words.subspan(1, 3));
    const int held = words.size() > 4 ? named(kHeldWords, words[4]) : 0;
    session.app.mouseMove(target.form, target.x, target.y, held, shiftAt(words, 5));
}

void key(Session& session, Words words) {
    const auto stroke = keyNamed(words[1].text);
    if (!stroke) throw ScriptError("unknown key " + rt::quoted(words[1].text));
    if (stroke->character) session.app.keyPress(*stroke->character);
    session.app.keyUp(stroke->keyCode, stroke->shift);
}

void close(Session& session, Words words) {
    rt::Form& form = knownScreen(session.app, words[1].text);
    requireShown(session.app, form);
    if (form.layout().style == rt::WindowStyle::Borderless)
        throw ScriptError(std::string(form.name()) + " has no close box");
    session.app.closeBox(form);
}

void down(Session& session, Words words) {
    const ButtonEvent e = buttonEvent(session.app, words);
    session.app.mouseDown(e.form, e.x, e.y, e.button, e.shift);
}

void up(Session& session, Words words) {
    const ButtonEvent e = buttonEvent(session.app, words);
    session.app.mouseUp(e.form, e.x, e.y, e.button, e.shift);
}

void keypress(Session& session, Words words) { session.app.keyPress(keyCode(words[1])); }

void keyup(Session& session, Words words) { session.app.keyUp(keyCode(words[1]), shiftAt(words, 2)); }

void activate(Session& session, Words words) {
    rt::Form& form = knownScreen(session.app, words[1].text);
    requireShown(session.app, form);
    activateWindow(session.app, form);
}

}  // namespace shell

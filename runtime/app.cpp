#include "runtime/app.hpp"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <stdexcept>

namespace rt {

// One event from outside: when the outermost one ends, the program may have ended.
class App::EventScope {
public:
    explicit EventScope(App& app) : app_(app) { ++app_.depth_; }
    ~EventScope() {
        if (--app_.depth_ == 0) app_.endIfIdle();
    }
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

private:
    App& app_;
};

App::App() : err_(&std::cerr) { Randomize(); }

App::~App() = default;

void App::define(std::string name, Factory factory) {
    definitions_.push_back({std::move(name), std::move(factory), nullptr});
}

bool App::defines(std::string_view name) const {
    return std::any_of(definitions_.begin(), definitions_.end(), [&](const auto& d) { return d.name == name; });
}

std::vector<std::string> App::formNames() const {
    std::vector<std::string> names;
    for (const auto& d : definitions_) names.push_back(d.name);
    return names;
}

Form& App::form(std::string_view name) {
    for (auto& d : definitions_) {
        if (d.name != name) continue;
        if (!d.instance) d.instance = d.factory(*this);
        return *d.instance;
    }
    throw std::logic_error("no screen named " + std::string(name));
}

void App::start(std::string_view first) {
    EventScope scope(*this);
    form(first).Show();
}

// --- the clock and its timers ---

Timer* App::nextDue(Millis limit) const {
    if (!running_) return nullptr;
    Timer* next = nullptr;
    Millis best = limit;
    for (Timer* t : timers_) {
        const auto d = t->deadline();
        if (d && (*d < best || (*d == best && !next))) {
            next = t;
            best = *d;
        }
    }
    return next;
}

void App::tick(Timer& timer) {
    EventScope scope(*this);
    timer.advance(now_);
    handle(timer.form(), timer.name(), "Timer", timer.Tick);
}

void App::advanceTo(Millis until) {
    while (Timer* t = nextDue(until)) {
        now_ = std::max(now_, *t->deadline());
        tick(*t);
    }
    now_ = std::max(now_, until);
}

void App::catchUp(Millis now) {
    now_ = std::max(now_, now);
    while (Timer* t = nextDue(now_)) tick(*t);
}

std::optional<Millis> App::nextTick() const {
    std::optional<Millis> next;
    if (!running_) return next;
    for (const Timer* t : timers_)
        if (const auto d = t->deadline(); d && (!next || *d < *next)) next = d;
    return next;
}

// --- input ---

bool App::accepts(const Form& form) const {
    return running_ && form.Loaded() && form.Visible() && form.Enabled();
}

void App::mouseDown(Form& form, Single x, Single y, int button, int shift) {
    if (!accepts(form) || !form.insideClient(x, y)) return;
    EventScope scope(*this);
    Control* target = form.hitTest(x, y);
    capture_ = {&form, target};
    if (!target) handle(form, "Form", "MouseDown", [&] { form.Form_MouseDown(button, shift, x, y); });
}

// A click goes to what took the button-down, if the button comes up over it again.
void App::mouseUp(Form& form, Single x, Single y, int, int) {
    const Capture down = std::exchange(capture_, {});
    if (down.form != &form || !accepts(form) || !form.insideClient(x, y)) return;
    EventScope scope(*this);
    Control* target = form.hitTest(x, y);
    if (target != down.target) return;
    if (target)
        handle(form, target->name(), "Click", target->Click);
    else
        handle(form, "Form", "Click", [&] { form.Form_Click(); });
}

void App::mouseMove(Form& form, Single x, Single y, int buttons, int shift) {
    if (!accepts(form) || !form.insideClient(x, y) || form.hitTest(x, y)) return;
    EventScope scope(*this);
    handle(form, "Form", "MouseMove", [&] { form.Form_MouseMove(buttons, shift, x, y); });
}

void App::keyPress(int keyAscii) {
    if (!active_ || !accepts(*active_)) return;
    EventScope scope(*this);
    Form& form = *active_;
    handle(form, "Form", "KeyPress", [&] { form.Form_KeyPress(keyAscii); });
}

void App::keyUp(int keyCode, int shift) {
    if (!active_ || !accepts(*active_)) return;
    EventScope scope(*this);
    Form& form = *active_;
    handle(form, "Form", "KeyUp", [&] { form.Form_KeyUp(keyCode, shift); });
}

void App::closeBox(Form& form) {
    if (!accepts(form)) return;
    EventScope scope(*this);
    form.Unload();
}

void App::apply(const std::function<void()>& change) {
    EventScope scope(*this);
    change();
}

// --- screens coming and going ---

void App::activate(Form& form) {
    EventScope scope(*this);
    if (active_ == &form || !form.Visible()) return;
    active_ = &form;
    handle(form, "Form", "Activate", [&] { form.Form_Activate(); });
}

void App::shown(Form& form) {
    std::erase(windows_, &form);
    windows_.insert(windows_.begin(), &form);
    activate(form);
}

// The window system passes activation to the frontmost enabled window left.
void App::hidden(Form& form) {
    std::erase(windows_, &form);
    if (capture_.form == &form) capture_ = {};
    if (active_ != &form) return;
    active_ = nullptr;
    for (Form* w : windows_)
        if (w->Enabled()) return activate(*w);
}

void App::endIfIdle() {
    if (running_ && windows_.empty()) {
        running_ = false;
        active_ = nullptr;
    }
}

// --- services ---

void App::Randomize() {
    if (fixedSeed_) return random_.seed(*fixedSeed_);
    random_.seed(std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count()));
}

void App::fixSeed(std::uint32_t seed) {
    fixedSeed_ = seed;
    Randomize();
}

std::string App::InputBox(std::string_view prompt, std::string_view title) {
    if (!inputBox_) return {};
    return inputBox_->ask(prompt, title).value_or("");
}

void App::handle(const Form& form, std::string_view owner, std::string_view event,
                 const std::function<void()>& body) {
    if (!body) return;
    try {
        body();
    } catch (const Error& e) {
        *err_ << "krax: " << e.what() << " in " << form.name() << '.' << owner << '_' << event << '\n';
    }
}

}  // namespace rt

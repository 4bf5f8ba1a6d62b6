#include "runtime/app.hpp"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <stdexcept>

namespace rt {

// One event from outside: when the outermost one ends, its changes count as one, and
// the program may have ended.
class App::EventScope {
public:
    explicit EventScope(App& app) : app_(app) {
        if (app_.depth_++ != 0) return;
        app_.changes_.begin();
        if (app_.listener_) app_.listener_->eventBegins(app_);
    }
    ~EventScope() {
        if (--app_.depth_ != 0) return;
        app_.changes_.end();
        app_.endIfIdle();
        if (!app_.listener_) return;
        app_.listener_->eventEnded(app_, app_.ran_);
        app_.ran_.clear();
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

const Form* App::made(std::string_view name) const {
    for (const auto& d : definitions_)
        if (d.name == name) return d.instance.get();
    return nullptr;
}

void App::start(std::string_view first) {
    EventScope scope(*this);
    form(first).Show();
}

// --- the clock and its timers ---

// The next awake timer due by `limit`: the earliest deadline, ties in table order.
std::optional<std::size_t> App::nextDue(Millis limit) const {
    std::optional<std::size_t> next;
    if (!running_) return next;
    Millis best = limit;
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        const auto d = timers_[i].timer->deadline();
        if (d && !asleep(timers_[i]) && (*d < best || (*d == best && !next))) {
            next = i;
            best = *d;
        }
    }
    return next;
}

// Sleeping timers let pass every tick that would have come before the tick at `moment`
// of the timer at `before` in table order; on time, since nothing waited for them.
void App::passSleepers(Millis moment, std::size_t before) {
    for (std::size_t i = 0; i < timers_.size(); ++i)
        if (asleep(timers_[i])) timers_[i].timer->passTicksUntil(i < before ? moment : moment - 1);
}

void App::tick(std::size_t index) {
    Timer& timer = *timers_[index].timer;
    if (timer.Tick) ++handlerRuns_;
    const std::uint64_t before = changes_.count();
    {
        EventScope scope(*this);
        timer.advance(now_);
        handle(timer.form(), timer.name(), "Timer", timer.Tick);
    }
    const bool quiet = changes_.count() == before;
    timers_[index].quietAt = quiet ? before : 0;
}

void App::advanceTo(Millis until) {
    while (const auto next = nextDue(until)) {
        const Millis due = *timers_[*next].timer->deadline();
        now_ = std::max(now_, due);
        passSleepers(due, *next);
        tick(*next);
    }
    now_ = std::max(now_, until);
    passSleepers(now_, timers_.size());
}

void App::catchUp(Millis now) {
    now_ = std::max(now_, now);
    while (const auto next = nextDue(now_)) {
        passSleepers(*timers_[*next].timer->deadline(), *next);
        tick(*next);
    }
    passSleepers(now_, timers_.size());
}

std::optional<Millis> App::nextTick() const {
    std::optional<Millis> next;
    if (!running_) return next;
    for (const Scheduled& s : timers_)
        if (const auto d = s.timer->deadline(); d && !asleep(s) && (!next || *d < *next)) next = d;
    return next;
}

bool App::sleeps(const Timer& timer) const {
    const auto s = std::find_if(timers_.begin(), timers_.end(), [&](const Scheduled& t) { return t.timer == &timer; });
    return s != timers_.end() && asleep(*s);
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

bool App::mouseMove(Form& form, Single x, Single y, int buttons, int shift) {
    if (!accepts(form) || !form.insideClient(x, y) || form.hitTest(x, y)) return false;
    EventScope scope(*this);
    handle(form, "Form", "MouseMove", [&] { form.Form_MouseMove(buttons, shift, x, y); });
    return true;
}

void App::keyPress(int keyAscii) {
    if (!active_ || !accepts(*active_)) return;
    EventScope scope(*this);
    Form& form = *active_;
    handle(form, "Form", "KeyPress", [&] { form.Form_KeyPress(keyAscii); });
}

void App::keyUp(int keyCode, int shift) {
    if (running_ && listener_) listener_->keyReleased(keyCode);
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
    changes_.note();
    handle(form, "Form", "Activate", [&] { form.Form_Activate(); });
}

void App::shown(Form& form) {
    std::erase(windows_, &form);
    windows_.insert(windows_.begin(), &form);
    changes_.note();
    activate(form);
}

// The window system passes activation to the frontmost enabled window left.
void App::hidden(Form& form) {
    std::erase(windows_, &form);
    changes_.note();
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
        changes_.note();
    }
}

// --- services ---

// Seeds are 32 bits wide, so that a recording can name the one the clock gave.
void App::Randomize() {
    changes_.note();
    const auto clock = std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
    lastSeed_ = fixedSeed_ ? *fixedSeed_ : std::uint32_t(clock ^ (clock >> 32));
    random_.seed(lastSeed_);
}

void App::fixSeed(std::uint32_t seed) {
    fixedSeed_ = seed;
    Randomize();
}

std::string App::InputBox(std::string_view prompt, std::string_view title) {
    changes_.note();  // a box the player sees, whatever is typed in it
    if (!inputBox_) return {};
    return inputBox_->ask(prompt, title).value_or("");
}

void App::handle(const Form& form, std::string_view owner, std::string_view event,
                 const std::function<void()>& body) {
    if (!body) return;
    if (listener_) ran_.push_back({&form, owner, event});
    try {
        body();
    } catch (const Error& e) {
        changes_.note();  // the report is output too
        *err_ << "krax: " << e.what() << " in " << form.name() << '.' << owner << '_' << event << '\n';
    }
}

}  // namespace rt

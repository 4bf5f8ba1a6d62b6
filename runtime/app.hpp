// The application: the screens' default instances, the active screen, the clock and
// its timers, input dispatch, the random sequence and the input box. Backends (the
// desktop's windows, the web page, the scenario driver) feed it events and time; it
// never waits itself.
//
// Quiet timers sleep: a timer whose last tick changed nothing, with nothing changed
// since, would change nothing again, so it gets no tick and the backend no wake-up
// for it until something changes; its next tick then falls where its own period puts
// it. What changed is learnt from the writes themselves (see Changes): a variable
// (Var) or property left with a different value, a screen loaded, shown or hidden, the
// random sequence read, an input box opened, an error reported. No handler of the game
// reads the clock (time reaches the rules only as ticks), so reading it counts as no
// change.
#pragma once

#include "runtime/changes.hpp"
#include "runtime/controls.hpp"
#include "runtime/event_report.hpp"
#include "runtime/form.hpp"
#include "runtime/input_box.hpp"
#include "runtime/random.hpp"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

class App {
public:
    using Factory = std::function<std::unique_ptr<Form>(App&)>;

    App();
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Screens: define them once; form() makes the default instance on first use.
    void define(std::string name, Factory factory);
    Form& form(std::string_view name);
    // The screen's instance if it has been made, without making it.
    const Form* made(std::string_view name) const;
    bool defines(std::string_view name) const;
    std::vector<std::string> formNames() const;
    // Loads and shows the first screen at the current time.
    void start(std::string_view first);

    bool Running() const { return running_; }
    Form* ActiveForm() const { return active_; }
    // The clock: whole milliseconds since start.
    Millis now() const { return now_; }
    // Shown screens, front to back.
    const std::vector<Form*>& windows() const { return windows_; }

    // Virtual time: moves the clock to `until`, raising every tick due on the way at
    // its own moment.
    void advanceTo(Millis until);
    // Real time: the clock is now `now`; every timer that is due ticks once.
    void catchUp(Millis now);
    // The moment of the next tick, or nullopt when no timer runs (or all of them sleep).
    std::optional<Millis> nextTick() const;
    // Whether the timer sleeps now, for tools that compare two runs of the game.
    bool sleeps(const Timer& timer) const;

    // Every write to the program's state goes through here; changes().count() grows
    // when anything changed (a backend may compare counts to see whether it did).
    Changes& changes() { return changes_; }
    const Changes& changes() const { return changes_; }
    // Whether quiet timers sleep (the default) or every tick runs; either plays the
    // same game.
    void setQuietTimersSleep(bool on) { quietTimersSleep_ = on; }
    bool quietTimersSleep() const { return quietTimersSleep_; }
    // Who hears what each event did (nullptr: no one).
    void setEventListener(EventListener* listener) { listener_ = listener; }
    // How many timer handlers have run so far, for benchmarks and tests.
    std::uint64_t handlerRuns() const { return handlerRuns_; }

    // Input from the window system. Nothing reaches a form that is hidden or disabled;
    // keys go to the active form.
    void mouseDown(Form& form, Single x, Single y, int button, int shift);
    void mouseUp(Form& form, Single x, Single y, int button, int shift);
    // True when the move reached the screen's own handler (not over a control).
    bool mouseMove(Form& form, Single x, Single y, int buttons, int shift);
    void keyPress(int keyAscii);
    void keyUp(int keyCode, int shift);
    // The window's close box: unloads the form (a disabled window ignores it).
    void closeBox(Form& form);
    // The window system made this form the active window.
    void activate(Form& form);
    // Runs a change made from outside the game (a tool writing a property) as one event.
    void apply(const std::function<void()>& change);

    // What took the last button-down, until the button comes up: the form and its
    // control there (nullptr for the form itself). A click needs it.
    struct Capture {
        Form* form = nullptr;
        Control* target = nullptr;
    };
    const Capture& capture() const { return capture_; }

    // Rnd: the next number of the random sequence in [0, 1). Randomize seeds it from
    // the clock, or from the fixed seed where one is set.
    Single Rnd() {
        changes_.note();
        return random_.next();
    }
    void Randomize();
    void fixSeed(std::uint32_t seed);
    // The seed of the latest seeding, fixed or from the clock: seeding with it again
    // starts the same sequence.
    std::uint32_t lastSeed() const { return lastSeed_; }
    // The modal input box: the text typed, or empty text on Cancel or with no host.
    std::string InputBox(std::string_view prompt, std::string_view title);
    void setInputBoxHost(InputBoxHost* host) { inputBox_ = host; }
    // Where errors that no handler caught are reported, one line each.
    void setErrorStream(std::ostream& err) { err_ = &err; }

    // Runs one handler of a form, OWNER_EVENT (Form_Load, tmrTime_Timer); an rt::Error
    // ends the handler and is reported under that name.
    void handle(const Form& form, std::string_view owner, std::string_view event, const std::function<void()>& body);

    // Called by forms and timers.
    void adopt(Timer& timer) { timers_.push_back({&timer}); }
    void shown(Form& form);
    void hidden(Form& form);

private:
    class EventScope;

    // A timer in table order, and the count of changes after its last tick if that
    // tick was quiet.
    struct Scheduled {
        Timer* timer;
        std::uint64_t quietAt = 0;
    };
    // A timer without a handler raises nothing, so nothing need wake for it.
    bool asleep(const Scheduled& s) const {
        return !s.timer->Tick || (quietTimersSleep_ && s.quietAt == changes_.count());
    }
    std::optional<std::size_t> nextDue(Millis limit) const;
    void passSleepers(Millis moment, std::size_t before);
    void tick(std::size_t index);
    bool accepts(const Form& form) const;
    void endIfIdle();

    struct Definition {
        std::string name;
        Factory factory;
        std::unique_ptr<Form> instance;
    };
    std::vector<Definition> definitions_;
    std::vector<Scheduled> timers_;
    std::vector<Form*> windows_;
    Form* active_ = nullptr;
    Capture capture_{};
    Millis now_ = 0;
    Changes changes_;
    bool quietTimersSleep_ = true;
    std::uint64_t handlerRuns_ = 0;
    bool running_ = true;
    int depth_ = 0;
    Random random_;
    std::optional<std::uint32_t> fixedSeed_;
    std::uint32_t lastSeed_ = 0;
    InputBoxHost* inputBox_ = nullptr;
    std::ostream* err_;
    EventListener* listener_ = nullptr;
    std::vector<HandlerRun> ran_;  // in the event under way, for the listener
};

}  // namespace rt

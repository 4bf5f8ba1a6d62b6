// What the runtime tells a listener outside the rules about each event from outside
// (an input, a timer's tick): when it begins, and which handlers it ran. The game's
// sound hears the game this way, the way a window draws what changed, without a line
// of its own in the rules.
#pragma once

#include <span>
#include <string_view>

namespace rt {

class App;
class Form;

struct HandlerRun {
    const Form* form;
    std::string_view owner;  // "Form", or the name of the control or timer
    std::string_view event;  // "Click", "Timer", "Load", ...
};

class EventListener {
public:
    virtual ~EventListener() = default;
    virtual void eventBegins(const App& app) = 0;
    // `ran`: the handlers the event ran, in the order they began.
    virtual void eventEnded(const App& app, std::span<const HandlerRun> ran) = 0;
    // A key came up while the program runs, before a screen gets it (or none does).
    virtual void keyReleased(int keyCode) = 0;
};

}  // namespace rt

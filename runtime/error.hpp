// A run-time error raised inside a handler: the overflow of an Integer, an invalid
// property value. No handler of the game catches one; the runtime reports it and
// ends that handler (see App::handle).
#pragma once

#include <stdexcept>
#include <string>

namespace rt {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static Error overflow() { return Error("Overflow"); }
    static Error invalidProperty() { return Error("Invalid property value"); }
    static Error floatingPoint() { return Error("Floating-point error"); }
};

}  // namespace rt

// What the program's state went through: every write to a variable or property goes
// through assign(), every change that no later write can undo (a random number drawn,
// a screen loaded, an input box opened) through note(). Writes during an event from
// outside (an input, a timer's tick) count as one change when the event ends, and
// only if something then differs from before it began: a handler that moves a value
// away and back again has changed nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <type_traits>
#include <vector>

namespace rt {

class Changes {
public:
    // Stores `value` into a piece of state; true if it differed.
    template <class T>
    bool assign(T& field, std::type_identity_t<T> value) {
        if (field == value) return false;
        if (open_)
            remember(&field, [&field, old = field] { return field == old; });
        else
            ++count_;
        field = std::move(value);
        return true;
    }
    void note() {
        if (open_)
            lasting_ = true;
        else
            ++count_;
    }

    // The outermost event begins and ends (the runtime's dispatch calls these).
    void begin() { open_ = true; }
    void end();

    // Grows with every event and every write outside events that changed anything.
    std::uint64_t count() const { return count_; }

private:
    struct Write {
        const void* field;
        std::function<bool()> unchanged;
    };
    void remember(const void* field, std::function<bool()> unchanged);

    std::vector<Write> writes_;
    bool open_ = false;
    bool lasting_ = false;
    std::uint64_t count_ = 1;
};

}  // namespace rt

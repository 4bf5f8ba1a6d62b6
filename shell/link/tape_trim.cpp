#include "shell/link/tape_trim.hpp"

#include "shell/link/line_player.hpp"

#include <memory>
#include <optional>

namespace shell {

namespace {
using Role = Played::Role;

bool isLateWakeUp(const Played& p) { return p.role == Role::Clock && p.changed; }
bool isCompared(const Played& p) { return p.role == Role::Needed || p.role == Role::Input; }

// A program that plays the steps of a session as a tape of some of them would: a step
// kept as its line, the clock through a dropped wake-up tick by tick (as the `wait`
// before the next step kept will move it), a dropped input not at all.
class Replica {
public:
    Replica(const SourcePlay& play, const ScreenNames& screens) : play_(play), screens_(screens) {
        b_.play("seed " + std::to_string(play.seed));
        if (!play.start.empty()) b_.play(startLine(play.start, screens));
    }

    // The replica of the steps before `end`, as `keep` keeps them.
    static std::unique_ptr<Replica> upTo(const SourcePlay& play, const ScreenNames& screens,
                                         const std::vector<bool>& keep, std::size_t end) {
        auto replica = std::make_unique<Replica>(play, screens);
        for (std::size_t i = 0; i < end; ++i) replica->step(i, keep[i]);
        return replica;
    }

    void step(std::size_t i, bool kept) {
        const Played& p = play_.steps[i];
        if (p.step.at > b_.app().now()) b_.advanceTo(p.step.at);
        if (kept && p.role != Role::Wait)
            b_.play(stepLine(p.step, screens_));
        else if (p.role == Role::Clock || p.role == Role::Wait)
            b_.advanceTo(p.step.at + p.step.length);
    }
    void end() { b_.advanceTo(play_.length); }

    LinePlayer& player() { return b_; }
    bool agrees(Replica& other) { return b_.state() == other.b_.state() && b_.sameTimers(other.b_); }

private:
    const SourcePlay& play_;
    const ScreenNames& screens_;
    LinePlayer b_;
};

// The last wake-up dropped before step `end`.
std::optional<std::size_t> lastDropped(const SourcePlay& play, const std::vector<bool>& keep, std::size_t end) {
    for (std::size_t i = end; i-- > 0;)
        if (!keep[i] && isLateWakeUp(play.steps[i])) return i;
    return std::nullopt;
}

// Each replica played anew costs the steps of the round up to where it is wanted; a
// round gets no more steps played than this (about two seconds), and keeps the
// wake-ups left once they are spent. A minute of play needs a tenth of it.
class Budget {
public:
    bool spend(std::size_t steps) {
        if (steps > left_) return false;
        left_ -= steps;
        return true;
    }

private:
    std::size_t left_ = 3'000'000;
};

// Keeps the last wake-up dropped before step `end`, or all of them once the budget is
// spent. With every wake-up kept, a replica is the session: there is always one left.
void keepMoreBefore(const SourcePlay& play, std::vector<bool>& keep, std::size_t end, Budget& budget) {
    const auto last = lastDropped(play, keep, end);
    if (!last) throw TapeRefused("the round does not play the same again");
    if (budget.spend(end)) {
        keep[*last] = true;
        return;
    }
    for (std::size_t i = 0; i <= *last; ++i) keep[i] = keep[i] || isLateWakeUp(play.steps[i]);
}

// Every input that changed anything, and every wake-up whose lateness left the state or
// the timers' schedules otherwise than ticks on time would have: played beside an exact
// replica of the session, a replica that waits through the wake-ups dropped must agree
// with it after each. One that went astray is made again with the wake-up kept (and
// those before it that it turns out to need).
std::vector<bool> locallyNeeded(const SourcePlay& play, const ScreenNames& screens, Budget& budget) {
    std::vector<bool> keep = stepsAlwaysKept(play);
    Replica exact(play, screens);
    auto waiting = std::make_unique<Replica>(play, screens);
    for (std::size_t i = 0; i < play.steps.size(); ++i) {
        exact.step(i, true);
        waiting->step(i, keep[i]);
        if (!isLateWakeUp(play.steps[i]) || waiting->agrees(exact)) continue;
        keep[i] = true;
        for (;;) {
            if (!budget.spend(i + 1)) {  // the rest is kept as it was
                for (std::size_t j = i; j < play.steps.size(); ++j) keep[j] = keep[j] || isLateWakeUp(play.steps[j]);
                return keep;
            }
            waiting = Replica::upTo(play, screens, keep, i + 1);
            if (waiting->agrees(exact)) break;
            keepMoreBefore(play, keep, i, budget);
        }
    }
    return keep;
}

// Where a replica of the steps kept first differs from the session after an input
// (from step `from` on; for one left out, at its moment) or at the end: the index of
// the step, or the number of steps for the end.
std::optional<std::size_t> firstMismatch(const SourcePlay& play, const ScreenNames& screens,
                                         const std::vector<bool>& keep, std::size_t from) {
    Replica b(play, screens);
    for (std::size_t i = 0; i < play.steps.size(); ++i) {
        b.step(i, keep[i]);
        if (i >= from && isCompared(play.steps[i]) && b.player().state() != play.steps[i].state) return i;
    }
    b.end();
    if (b.player().state() != play.endState) return play.steps.size();
    return std::nullopt;
}
}  // namespace

std::vector<bool> stepsAlwaysKept(const SourcePlay& play) {
    std::vector<bool> keep;
    for (const Played& p : play.steps) keep.push_back(p.role == Role::Needed || (p.role == Role::Input && p.changed));
    return keep;
}

std::vector<bool> neededSteps(const SourcePlay& play, const ScreenNames& screens) {
    Budget budget;
    std::vector<bool> keep = locallyNeeded(play, screens, budget);
    // What the comparisons on the way did not see (a random number drawn more, say)
    // shows by the next input; the wake-ups before it are kept, the latest first.
    while (const auto mismatch = firstMismatch(play, screens, keep, 0)) keepMoreBefore(play, keep, *mismatch, budget);
    // Most lateness that moved a schedule changes nothing at any input: each such wake-up
    // is left out again where the round still plays the same, the latest first.
    for (std::size_t i = keep.size(); i-- > 0;) {
        if (!keep[i] || !isLateWakeUp(play.steps[i])) continue;
        if (!budget.spend(play.steps.size())) break;
        keep[i] = false;
        if (firstMismatch(play, screens, keep, i)) keep[i] = true;
    }
    return keep;
}

Tape tapeOf(const SourcePlay& play, const std::vector<bool>& keep, int rules) {
    Tape tape{rules, play.seed, play.start, {}, play.length - play.origin};
    for (std::size_t i = 0; i < play.steps.size(); ++i) {
        if (!keep[i]) continue;
        tape.steps.push_back(play.steps[i].step);
        tape.steps.back().at -= play.origin;
    }
    return tape;
}

}  // namespace shell

// The windows of a backend, mirroring the screens the game shows: one window per
// shown screen, made back to front as the game stacks them, gone when the screen is
// hidden or unloaded, and the active screen's window brought to the front when the
// game makes another screen the active one. Every backend keeps its windows in one.
//
// A Window has `rt::Form& form() const` and `void drawIfChanged()`, and `void raise()`
// where the window system stacks the windows itself (the desktop); where it has none,
// the backend stacks them in the set's order (the page).
#pragma once

#include "runtime/app.hpp"

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace shell {

template <class Window>
class WindowSet {
public:
    using Maker = std::function<std::unique_ptr<Window>(rt::Form& form)>;

    explicit WindowSet(Maker make) : make_(std::move(make)) {}

    // Windows for the shown screens, the active one in front; then whatever changed
    // is drawn.
    void mirror(const rt::App& app) {
        follow(app);
        draw();
    }

    // The two halves of mirror(), for a backend that lays its windows out in between.
    // follow() says whether a window came or went.
    bool follow(const rt::App& app) {
        const auto& shown = app.windows();
        const bool gone = std::erase_if(windows_, [&](const auto& w) {
                              return std::find(shown.begin(), shown.end(), &w->form()) == shown.end();
                          }) > 0;
        const std::size_t kept = windows_.size();
        for (auto it = shown.rbegin(); it != shown.rend(); ++it)
            if (!windowOf(**it)) windows_.push_back(make_(**it));
        if (app.ActiveForm() != front_) bringToFront(app.ActiveForm());
        return gone || windows_.size() != kept;
    }
    void draw() {
        for (const auto& w : windows_) w->drawIfChanged();
    }

    // The window system brought this screen's window to the front itself (it took the
    // focus), so the set need not raise it again.
    void cameToFront(const rt::Form* form) {
        front_ = form;
        moveLast(form);
    }

    // The window of this screen is gone (the window system lost it): the next follow()
    // makes it again if the screen is still shown, and raises the active one.
    void forget(const rt::Form& form) {
        std::erase_if(windows_, [&](const auto& w) { return &w->form() == &form; });
        front_ = nullptr;
    }

    Window* windowOf(const rt::Form& form) const {
        return find([&](const Window& w) { return &w.form() == &form; });
    }

    // The first window, back to front, for which `pred` holds; nullptr for none.
    template <class Pred>
    Window* find(Pred pred) const {
        const auto it = std::find_if(windows_.begin(), windows_.end(), [&](const auto& w) { return pred(*w); });
        return it == windows_.end() ? nullptr : it->get();
    }

    // Back to front.
    auto begin() const { return windows_.begin(); }
    auto end() const { return windows_.end(); }
    std::size_t size() const { return windows_.size(); }
    void clear() { windows_.clear(); }

private:
    void bringToFront(const rt::Form* form) {
        cameToFront(form);
        if (Window* w = form ? windowOf(*form) : nullptr) {
            if constexpr (requires { w->raise(); }) w->raise();
        }
    }

    // The front window is the last of the set.
    void moveLast(const rt::Form* form) {
        const auto it = std::find_if(windows_.begin(), windows_.end(), [&](const auto& w) { return &w->form() == form; });
        if (it != windows_.end()) std::rotate(it, it + 1, windows_.end());
    }

    Maker make_;
    std::vector<std::unique_ptr<Window>> windows_;  // back to front
    const rt::Form* front_ = nullptr;
};

}  // namespace shell

// A screen: one default instance per layout, made on first use and never released.
// Loading applies the layout and raises Form_Load; unloading closes the window but
// keeps the instance, its controls and its variables.
#pragma once

#include "runtime/controls.hpp"
#include "runtime/integer.hpp"
#include "runtime/layout.hpp"
#include "runtime/variable.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace rt {

class App;

// Mouse buttons as the events report them (one bit each, as a move reports the
// buttons held).
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

// Key codes as KeyDown and KeyUp report them.
constexpr int kKeyBackspace = 8;
constexpr int kKeyTab = 9;
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kKeySpace = 32;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kKeyR = 82;

// Characters as KeyPress reports them: the keys above that type one type their own key
// code (Backspace 8, Enter 13, Escape 27, Space 32); a letter types its ASCII code.
constexpr int kCharR = 'R';
constexpr int kCharLowerR = 'r';

// The bits of an event's Shift argument.
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;
constexpr int shiftState(bool shift, bool ctrl, bool alt) {
    return (shift ? kShiftMask : 0) | (ctrl ? kCtrlMask : 0) | (alt ? kAltMask : 0);
}

class Form {
public:
    Form(App& app, const FormLayout& layout);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    App& app() const { return app_; }
    const FormLayout& layout() const { return layout_; }
    const char* name() const { return layout_.name; }

    // Loads if needed (raising Form_Load once per load).
    void Load();
    void Unload();
    // Modeless: loads if needed, shows, brings to the front and makes active.
    void Show();

    bool Loaded() const { return loaded_; }
    bool Visible() const { return visible_; }
    // True shows the form (loading it first); False hides it (loading it, hidden, first).
    void setVisible(bool visible);
    // False: no mouse or key input reaches the form or its controls; timers run on.
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // Outer width in twips: the client width plus the frame.
    Single Width() const;

    // Controls by name and Index; a misspelt name is a programming error (throws).
    Control* find(std::string_view name, int index = kNoIndex) const;
    Control& control(std::string_view name, int index = kNoIndex) const;
    Control& image(std::string_view name, int index = kNoIndex) const;
    Control& shape(std::string_view name) const;
    Label& label(std::string_view name, int index = kNoIndex) const;
    PictureBox& pictureBox(std::string_view name) const;
    Timer& timer(std::string_view name) const;

    // Front to back, picture boxes first; timers last, in their layout order.
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // The frontmost visible, enabled control under the point that takes the mouse,
    // or nullptr when the point belongs to the form itself.
    Control* hitTest(Single x, Single y) const;
    bool insideClient(Single x, Single y) const;

    // The screen's variables, by name, for tools; a Var declares itself.
    using Variable = std::variant<Var<Integer>*, Var<std::string>*>;
    void declare(std::string name, Var<Integer>& variable);
    void declare(std::string name, Var<std::string>& variable);
    std::optional<Variable> variable(std::string_view name) const;
    const std::vector<std::pair<std::string, Variable>>& variables() const { return variables_; }

    // Grows whenever something on screen changes; a backend redraws when it moved.
    std::uint64_t version() const { return version_; }
    void invalidate() { ++version_; }

    // The screen's own event handlers; a screen's code overrides the ones it has.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Click() {}
    virtual void Form_MouseDown(int /*button*/, int /*shift*/, Single /*x*/, Single /*y*/) {}
    virtual void Form_MouseMove(int /*button*/, int /*shift*/, Single /*x*/, Single /*y*/) {}
    virtual void Form_KeyPress(int /*keyAscii*/) {}
    virtual void Form_KeyUp(int /*keyCode*/, int /*shift*/) {}

private:
    template <class T>
    T& typed(std::string_view name, int index) const;
    Control& ofKind(Kind kind, std::string_view name, int index) const;

    App& app_;
    const FormLayout& layout_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::pair<std::string, Variable>> variables_;
    bool loaded_ = false;
    bool visible_ = false;
    bool enabled_ = true;
    std::uint64_t version_ = 0;
};

}  // namespace rt

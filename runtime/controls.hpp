// The controls of a form: images, labels, picture boxes, shapes and timers, with the
// properties the game reads and writes. Each control is made once with its form and
// set back to its layout every time the form is loaded.
#pragma once

#include "runtime/layout.hpp"
#include "runtime/value.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <type_traits>

namespace rt {

class Form;
using Millis = std::int64_t;

class Control {
public:
    Control(Form& form, const ControlLayout& layout);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    const ControlLayout& layout() const { return layout_; }
    Kind kind() const { return layout_.kind; }
    const char* name() const { return layout_.name; }
    int index() const { return layout_.index; }
    // "imgP2(2)" for an element of a control array, else the bare name.
    std::string path() const;

    bool Visible() const { return visible_; }
    virtual void setVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    const Rect& rect() const { return rect_; }
    void setWidth(Single width);

    // Images, labels and picture boxes take the mouse; shapes and timers let it through.
    bool takesMouse() const;
    bool contains(Single x, Single y) const;

    // Raised for a click on the control (images, labels, picture boxes).
    std::function<void()> Click;

    // Back to the layout's values; called when the form is loaded.
    virtual void reset();

    // Properties by name, for tools. get: nullopt for a property this kind lacks.
    // set: false for an unknown property; throws rt::Error for a value of the wrong kind.
    virtual std::optional<Value> get(std::string_view property) const;
    virtual bool set(std::string_view property, const Value& value);

protected:
    // Stores a property's value; true if it differed.
    template <class T>
    bool write(T& field, std::type_identity_t<T> value);
    // A property that shows on screen changed: the form needs drawing again.
    void changed();

private:
    Form& form_;
    const ControlLayout& layout_;
    bool visible_ = true;
    bool enabled_ = true;
    Rect rect_{};
};

class Label : public Control {
public:
    using Control::Control;

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);

    void reset() override;
    std::optional<Value> get(std::string_view property) const override;
    bool set(std::string_view property, const Value& value) override;

private:
    // A screen's instance holds its layout from the moment it is made, loaded or not.
    std::string caption_ = layout().caption;
};

class PictureBox : public Control {
public:
    using Control::Control;

    const char* Picture() const { return layout().picture; }
    // Draws a picture at the top-left corner; it stays until the box is repainted,
    // which happens when the box is shown again after being hidden.
    void PaintPicture(const char* picture);
    const char* painted() const { return painted_; }

    void setVisible(bool visible) override;
    void reset() override;

private:
    const char* painted_ = nullptr;
};

// A timer raises Tick about every Interval ms while Enabled and its form is loaded.
// Enabled False to True starts a full Interval; True on a running timer leaves its
// countdown alone. Writing Interval keeps the current period's start: the next tick
// comes at that start plus the new Interval, or at once if that moment has passed.
class Timer : public Control {
public:
    // The platform's shortest period; shorter Intervals, and negative ones, tick at it.
    static constexpr Millis kShortestPeriod = 10;

    Timer(Form& form, const ControlLayout& layout);

    void setEnabled(bool enabled) override;
    Long Interval() const { return interval_; }
    void setInterval(Long interval);

    std::function<void()> Tick;

    // When the next tick falls due, or nullopt while the timer gives none.
    std::optional<Millis> deadline() const;
    // Moves the schedule on for a tick raised at `now`: from the deadline, or from
    // now if the tick comes a whole period or more late (missed ticks merge into one).
    void advance(Millis now);
    // Moves the schedule past every tick due at or before `last`, as if each had come
    // on time: for a timer that sleeps through them (see App).
    void passTicksUntil(Millis last);

    void reset() override;
    std::optional<Value> get(std::string_view property) const override;
    bool set(std::string_view property, const Value& value) override;

private:
    std::optional<Millis> period() const;
    Millis now() const;

    Long interval_ = 0;
    Millis periodStart_ = 0;
};

}  // namespace rt

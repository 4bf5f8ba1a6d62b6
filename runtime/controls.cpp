#include "runtime/controls.hpp"

#include "runtime/app.hpp"
#include "runtime/form.hpp"

namespace rt {

Control::Control(Form& form, const ControlLayout& layout) : form_(form), layout_(layout) {
    Control::reset();
}

std::string Control::path() const {
    std::string path = name();
    if (index() != kNoIndex) path += "(" + std::to_string(index()) + ")";
    return path;
}

template <class T>
bool Control::write(T& field, std::type_identity_t<T> value) {
    return form_.app().changes().assign(field, std::move(value));
}

void Control::setVisible(bool visible) {
    if (write(visible_, visible)) changed();
}

void Control::setEnabled(bool enabled) { write(enabled_, enabled); }

void Control::setWidth(Single width) {
    if (!(width >= 0)) throw Error::invalidProperty();
    if (write(rect_.width, width)) changed();
}

bool Control::takesMouse() const {
    return kind() == Kind::Image || kind() == Kind::Label || kind() == Kind::PictureBox;
}

bool Control::contains(Single x, Single y) const {
    return x >= rect_.left && x < rect_.left + rect_.width && y >= rect_.top && y < rect_.top + rect_.height;
}

void Control::reset() {
    visible_ = layout_.visible;
    enabled_ = layout_.kind == Kind::Timer ? layout_.enabled : true;
    rect_ = layout_.rect;
}

void Control::changed() { form_.invalidate(); }

namespace {
template <class T>
T as(const Value& value) {
    if (const T* v = std::get_if<T>(&value)) return *v;
    throw Error::invalidProperty();
}

// Geometry is held as Singles; tools may write it as whole numbers.
Single asSingle(const Value& value) {
    if (const auto* n = std::get_if<Integer>(&value)) return Single(n->value());
    if (const auto* n = std::get_if<Long>(&value)) return Single(*n);
    return as<Single>(value);
}
}  // namespace

std::optional<Value> Control::get(std::string_view property) const {
    if (property == "Visible") return visible_;
    if (property == "Enabled") return enabled_;
    if (kind() == Kind::Timer) return std::nullopt;
    if (property == "Left") return rect_.left;
    if (property == "Top") return rect_.top;
    if (property == "Width") return rect_.width;
    if (property == "Height") return rect_.height;
    return std::nullopt;
}

bool Control::set(std::string_view property, const Value& value) {
    if (property == "Visible") return setVisible(as<bool>(value)), true;
    if (property == "Enabled") return setEnabled(as<bool>(value)), true;
    if (kind() == Kind::Timer) return false;
    if (property == "Width") return setWidth(asSingle(value)), true;
    Single* field = property == "Left"     ? &rect_.left
                    : property == "Top"    ? &rect_.top
                    : property == "Height" ? &rect_.height
                                           : nullptr;
    if (!field) return false;
    if (write(*field, asSingle(value))) changed();
    return true;
}

void Label::setCaption(std::string caption) {
    if (write(caption_, std::move(caption))) changed();
}

void Label::reset() {
    Control::reset();
    caption_ = layout().caption;
}

std::optional<Value> Label::get(std::string_view property) const {
    if (property == "Caption") return caption_;
    return Control::get(property);
}

bool Label::set(std::string_view property, const Value& value) {
    if (property == "Caption") return setCaption(as<std::string>(value)), true;
    return Control::set(property, value);
}

void PictureBox::PaintPicture(const char* picture) {
    if (write(painted_, picture)) changed();
}

void PictureBox::setVisible(bool visible) {
    if (!visible && write(painted_, nullptr)) changed();
    Control::setVisible(visible);
}

void PictureBox::reset() {
    Control::reset();
    painted_ = nullptr;
}

Timer::Timer(Form& form, const ControlLayout& layout) : Control(form, layout) { Timer::reset(); }

// Starting a timer starts its period: no later write in the same event undoes that.
void Timer::setEnabled(bool enabled) {
    if (enabled && !Enabled()) {
        periodStart_ = now();
        form().app().changes().note();
    }
    Control::setEnabled(enabled);
}

void Timer::setInterval(Long interval) { write(interval_, interval); }

std::optional<Millis> Timer::period() const {
    if (interval_ == 0) return std::nullopt;
    return std::max<Millis>(interval_, kShortestPeriod);
}

std::optional<Millis> Timer::deadline() const {
    const auto p = period();
    if (!Enabled() || !p || !form().Loaded()) return std::nullopt;
    return periodStart_ + *p;
}

void Timer::advance(Millis now) {
    const Millis p = period().value_or(kShortestPeriod);
    const Millis due = periodStart_ + p;
    periodStart_ = due + p > now ? due : now;
}

void Timer::passTicksUntil(Millis last) {
    const auto due = deadline();
    if (!due || *due > last) return;
    const Millis p = *period();
    periodStart_ += (last - periodStart_) / p * p;
}

Millis Timer::now() const { return form().app().now(); }

void Timer::reset() {
    Control::reset();
    interval_ = layout().interval;
    periodStart_ = now();
}

std::optional<Value> Timer::get(std::string_view property) const {
    if (property == "Interval") return interval_;
    return Control::get(property);
}

bool Timer::set(std::string_view property, const Value& value) {
    if (property == "Interval") {
        if (const auto* n = std::get_if<Integer>(&value)) return setInterval(n->value()), true;
        return setInterval(as<Long>(value)), true;
    }
    return Control::set(property, value);
}

}  // namespace rt

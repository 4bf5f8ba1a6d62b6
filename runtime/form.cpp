#include "runtime/form.hpp"

#include "runtime/app.hpp"

#include <algorithm>
#include <stdexcept>

namespace rt {

namespace {
std::unique_ptr<Control> make(Form& form, const ControlLayout& layout) {
    switch (layout.kind) {
        case Kind::Label: return std::make_unique<Label>(form, layout);
        case Kind::PictureBox: return std::make_unique<PictureBox>(form, layout);
        case Kind::Timer: return std::make_unique<Timer>(form, layout);
        case Kind::Image:
        case Kind::Shape: break;
    }
    return std::make_unique<Control>(form, layout);
}

int rank(Kind kind) { return kind == Kind::PictureBox ? 0 : kind == Kind::Timer ? 2 : 1; }

constexpr Single kFrameTwips = 60;  // one side of a fixed dialog's frame
}  // namespace

Form::Form(App& app, const FormLayout& layout) : app_(app), layout_(layout) {
    for (const ControlLayout& control : layout.controls) controls_.push_back(make(*this, control));
    // Picture boxes are child windows, in front of every windowless control.
    std::stable_sort(controls_.begin(), controls_.end(),
                     [](const auto& a, const auto& b) { return rank(a->kind()) < rank(b->kind()); });
    for (const auto& control : controls_)
        if (auto* t = dynamic_cast<Timer*>(control.get())) app_.adopt(*t);
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    enabled_ = true;
    app_.changes().note();
    for (const auto& control : controls_) control->reset();
    invalidate();
    app_.handle(*this, "Form", "Load", [this] { Form_Load(); });
}

void Form::Unload() {
    if (!loaded_) return;
    loaded_ = false;
    app_.changes().note();
    const bool wasVisible = visible_;
    visible_ = false;
    if (wasVisible) app_.hidden(*this);
}

void Form::Show() {
    Load();
    if (!loaded_) return;  // Form_Load unloaded it again
    visible_ = true;
    invalidate();
    app_.shown(*this);
}

void Form::setVisible(bool visible) {
    if (visible) {
        if (!visible_) Show();
        return;
    }
    Load();
    if (!visible_) return;
    visible_ = false;
    app_.hidden(*this);
}

void Form::setEnabled(bool enabled) { app_.changes().assign(enabled_, enabled); }

Single Form::Width() const {
    const bool framed = layout_.style == WindowStyle::FixedDialog;
    return layout_.clientWidth + (framed ? 2 * kFrameTwips : 0);
}

Control* Form::find(std::string_view name, int index) const {
    for (const auto& control : controls_)
        if (control->name() == name && control->index() == index) return control.get();
    return nullptr;
}

Control& Form::control(std::string_view name, int index) const {
    if (Control* c = find(name, index)) return *c;
    throw std::logic_error(std::string(this->name()) + " has no control " + std::string(name) +
                           (index == kNoIndex ? "" : "(" + std::to_string(index) + ")"));
}

template <class T>
T& Form::typed(std::string_view name, int index) const {
    if (auto* c = dynamic_cast<T*>(&control(name, index))) return *c;
    throw std::logic_error(std::string(this->name()) + "." + std::string(name) + " is another kind of control");
}

Control& Form::ofKind(Kind kind, std::string_view name, int index) const {
    Control& c = control(name, index);
    if (c.kind() != kind) throw std::logic_error(std::string(this->name()) + "." + std::string(name) + " is another kind of control");
    return c;
}

Control& Form::image(std::string_view name, int index) const { return ofKind(Kind::Image, name, index); }
Control& Form::shape(std::string_view name) const { return ofKind(Kind::Shape, name, kNoIndex); }

Label& Form::label(std::string_view name, int index) const { return typed<Label>(name, index); }
PictureBox& Form::pictureBox(std::string_view name) const { return typed<PictureBox>(name, kNoIndex); }
Timer& Form::timer(std::string_view name) const { return typed<Timer>(name, kNoIndex); }

bool Form::insideClient(Single x, Single y) const {
    return x >= 0 && y >= 0 && x < layout_.clientWidth && y < layout_.clientHeight;
}

Control* Form::hitTest(Single x, Single y) const {
    for (const auto& control : controls_)
        if (control->takesMouse() && control->Visible() && control->Enabled() && control->contains(x, y))
            return control.get();
    return nullptr;
}

void Form::declare(std::string name, Var<Integer>& variable) { variables_.emplace_back(std::move(name), &variable); }
void Form::declare(std::string name, Var<std::string>& variable) { variables_.emplace_back(std::move(name), &variable); }

std::optional<Form::Variable> Form::variable(std::string_view name) const {
    for (const auto& [n, v] : variables_)
        if (n == name) return v;
    return std::nullopt;
}

}  // namespace rt

#include "shell/values/state_paths.hpp"

#include "shell/values/bad_request.hpp"
#include "shell/values/numbers.hpp"

#include <string>
#include <vector>

namespace shell {

namespace {
std::vector<std::string_view> segments(std::string_view path) {
    std::vector<std::string_view> parts;
    for (std::size_t dot; (dot = path.find('.')) != std::string_view::npos; path.remove_prefix(dot + 1))
        parts.push_back(path.substr(0, dot));
    parts.push_back(path);
    return parts;
}

std::string quotedName(std::string_view name) { return rt::quoted(std::string(name)); }

Slot appSlot(rt::App& app, std::string_view name) {
    for (const AppValue& value : kAppValues)
        if (value.name == name) return {[&app, read = value.read] { return read(app); }, {}};
    throw BadRequest("unknown App value " + quotedName(name));
}

Slot variableSlot(const rt::Form::Variable& variable) {
    return {[variable] { return valueOf(variable); },
            [variable](const rt::Value& v) {
                if (auto* const* n = std::get_if<rt::Var<rt::Integer>*>(&variable)) **n = std::get<rt::Integer>(v);
                else *std::get<rt::Var<std::string>*>(variable) = std::get<std::string>(v);
            }};
}

Slot screenSlot(rt::Form& form, std::string_view name) {
    for (const ScreenValue& value : kScreenValues) {
        if (value.name != name) continue;
        Slot slot{[&form, read = value.read] { return read(form); }, {}};
        if (value.write) slot.write = [&form, write = value.write](const rt::Value& v) { write(form, v); };
        return slot;
    }
    if (const auto variable = form.variable(name)) return variableSlot(*variable);
    throw BadRequest("unknown variable " + quotedName(std::string(form.name()) + "." + std::string(name)));
}

Slot controlSlot(const rt::Form& form, std::string_view ref, std::string_view property) {
    const std::string where = std::string(form.name()) + "." + std::string(ref);
    rt::Control* control = findControl(form, ref);
    if (!control) throw BadRequest("unknown control " + quotedName(where));
    const std::string name(property);
    if (!control->get(name)) throw BadRequest("unknown property " + quotedName(where + "." + name));
    return {[control, name] { return *control->get(name); },
            [control, name, where](const rt::Value& v) {
                if (!control->set(name, v)) throw BadRequest(quotedName(where + "." + name) + " cannot be set");
            }};
}
}  // namespace

const std::array<AppValue, 3> kAppValues{{
    {"ActiveForm", [](const rt::App& app) { return rt::Value(std::string(app.ActiveForm() ? app.ActiveForm()->name() : "")); }},
    {"Running", [](const rt::App& app) { return rt::Value(app.Running()); }},
    // The clock as a Long: a script cannot move it past the Long range (see `wait`).
    {"Time", [](const rt::App& app) { return rt::Value(static_cast<rt::Long>(app.now())); }},
}};

const std::array<ScreenValue, 4> kScreenValues{{
    {"Loaded", [](const rt::Form& form) { return rt::Value(form.Loaded()); }, nullptr},
    {"Visible", [](const rt::Form& form) { return rt::Value(form.Visible()); },
     [](rt::Form& form, const rt::Value& v) { form.setVisible(std::get<bool>(v)); }},
    {"Enabled", [](const rt::Form& form) { return rt::Value(form.Enabled()); },
     [](rt::Form& form, const rt::Value& v) { form.setEnabled(std::get<bool>(v)); }},
    {"Width", [](const rt::Form& form) { return rt::Value(form.Width()); }, nullptr},
}};

rt::Value valueOf(const rt::Form::Variable& variable) {
    if (auto* const* n = std::get_if<rt::Var<rt::Integer>*>(&variable)) return (*n)->get();
    return std::get<rt::Var<std::string>*>(variable)->get();
}

rt::Control* findControl(const rt::Form& form, std::string_view ref) {
    const std::size_t open = ref.find('(');
    if (open == std::string_view::npos) return form.find(ref);
    const auto index = ref.back() == ')' ? wholeNumber(ref.substr(open + 1, ref.size() - open - 2)) : std::nullopt;
    if (!index || *index < 0 || *index > rt::Integer::kMax)
        throw BadRequest("bad control index in " + quotedName(ref));
    return form.find(ref.substr(0, open), static_cast<int>(*index));
}

rt::Form& knownScreen(rt::App& app, std::string_view name) {
    if (!app.defines(name)) throw BadRequest("unknown screen " + quotedName(name));
    return app.form(name);
}

Slot findSlot(rt::App& app, std::string_view path) {
    const auto parts = segments(path);
    if (parts.size() == 2 && parts[0] == "App") return appSlot(app, parts[1]);
    if (parts.size() < 2 || parts.size() > 3 || parts[0] == "App")
        throw BadRequest("expected App.NAME, FORM.NAME or FORM.CONTROL.PROPERTY, not " + quotedName(path));
    rt::Form& form = knownScreen(app, parts[0]);
    return parts.size() == 2 ? screenSlot(form, parts[1]) : controlSlot(form, parts[1], parts[2]);
}

}  // namespace shell

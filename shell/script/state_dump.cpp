#include "shell/script/state_dump.hpp"

#include "shell/script/json_object.hpp"
#include "shell/values/state_paths.hpp"

#include <array>

namespace shell {

namespace {
// In dump order; each control shows those of them that its kind has.
constexpr std::array<std::string_view, 8> kControlProperties{"Visible", "Enabled", "Left",    "Top",
                                                             "Width",   "Height",  "Caption", "Interval"};

JsonObject controlJson(const rt::Control& control) {
    JsonObject json;
    for (std::string_view property : kControlProperties)
        if (const auto value = control.get(property)) json.add(property, *value);
    return json;
}

JsonObject screenJson(rt::App& app, const rt::Form& form) {
    JsonObject json;
    for (std::string_view name : kScreenValues)
        json.add(name, findSlot(app, std::string(form.name()) + "." + std::string(name)).read());
    JsonObject variables;
    for (const auto& [name, variable] : form.variables()) variables.add(name, valueOf(variable));
    JsonObject controls;
    for (const auto& control : form.controls()) controls.add(control->path(), controlJson(*control));
    return json.add("variables", variables).add("controls", controls);
}
}  // namespace

std::string stateJson(rt::App& app) {
    JsonObject appJson;
    for (std::string_view name : kAppValues) appJson.add(name, findSlot(app, "App." + std::string(name)).read());
    JsonObject state;
    state.add("App", appJson);
    for (const std::string& name : app.formNames()) state.add(name, screenJson(app, app.form(name)));
    return state.text();
}

}  // namespace shell

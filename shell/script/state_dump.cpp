#include "shell/script/state_dump.hpp"

#include "shell/script/json_object.hpp"
#include "shell/values/state_paths.hpp"

namespace shell {

namespace {
JsonObject controlJson(const rt::Control& control) {
    JsonObject json;
    for (std::string_view property : kControlProperties)
        if (const auto value = control.get(property)) json.add(property, *value);
    return json;
}

JsonObject screenJson(const rt::Form& form) {
    JsonObject json;
    for (const ScreenValue& value : kScreenValues) json.add(value.name, value.read(form));
    JsonObject variables;
    for (const auto& [name, variable] : form.variables()) variables.add(name, valueOf(variable));
    JsonObject controls;
    for (const auto& control : form.controls()) controls.add(control->path(), controlJson(*control));
    return json.add("variables", variables).add("controls", controls);
}
}  // namespace

std::string stateJson(rt::App& app) {
    JsonObject appJson;
    for (const AppValue& value : kAppValues) appJson.add(value.name, value.read(app));
    JsonObject state;
    state.add("App", appJson);
    for (const std::string& name : app.formNames()) state.add(name, screenJson(app.form(name)));
    return state.text();
}

}  // namespace shell

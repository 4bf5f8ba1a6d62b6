// The game's values by path, as scenarios, recordings and the page read and write
// them: App.NAME, FORM.NAME (a screen's own value or one of its variables),
// FORM.CONTROL.PROPERTY and FORM.CONTROL(INDEX).PROPERTY.
#pragma once

#include "runtime/app.hpp"
#include "runtime/value.hpp"

#include <array>
#include <functional>
#include <string_view>

namespace shell {

// One value found by path. Valid while the app lives.
struct Slot {
    std::function<rt::Value()> read;
    // Empty for a read-only value. May throw rt::Error for a value the target refuses.
    std::function<void(const rt::Value&)> write;
};

// Throws BadRequest for a malformed path or an unknown screen, control, variable or
// property. Finding a screen makes its instance if needed; it does not load it.
Slot findSlot(rt::App& app, std::string_view path);

// The names of the App's and of every screen's own values.
constexpr std::array<std::string_view, 3> kAppValues{"ActiveForm", "Running", "Time"};
constexpr std::array<std::string_view, 4> kScreenValues{"Loaded", "Visible", "Enabled", "Width"};

// A screen by name; throws BadRequest for an unknown one.
rt::Form& knownScreen(rt::App& app, std::string_view name);

rt::Value valueOf(const rt::Form::Variable& variable);

// A control of the screen by reference, "lblHits" or "imgP2(2)"; nullptr when the
// screen has none. Throws BadRequest for a malformed index.
rt::Control* findControl(const rt::Form& form, std::string_view ref);

}  // namespace shell

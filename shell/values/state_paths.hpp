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

// The App's own values, a row a name with its read.
struct AppValue {
    std::string_view name;
    rt::Value (*read)(const rt::App& app);
};
extern const std::array<AppValue, 3> kAppValues;

// Every screen's own values, a row a name with its read and, where a handler may set
// it, its write.
struct ScreenValue {
    std::string_view name;
    rt::Value (*read)(const rt::Form& form);
    void (*write)(rt::Form& form, const rt::Value& value);
};
extern const std::array<ScreenValue, 4> kScreenValues;

// A screen by name; throws BadRequest for an unknown one.
rt::Form& knownScreen(rt::App& app, std::string_view name);

rt::Value valueOf(const rt::Form::Variable& variable);

// A control of the screen by reference, "lblHits" or "imgP2(2)"; nullptr when the
// screen has none. Throws BadRequest for a malformed index.
rt::Control* findControl(const rt::Form& form, std::string_view ref);

}  // namespace shell

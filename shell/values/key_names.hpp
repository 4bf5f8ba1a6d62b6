// Keys by the names scenarios give them, as a desktop keyboard reports them.
#pragma once

#include <optional>
#include <string_view>

namespace shell {

struct KeyStroke {
    int keyCode = 0;  // the virtual-key code KeyUp reports
    int shift = 0;    // 1 when the key is typed with Shift held
    std::optional<int> character;  // the code KeyPress reports, for keys that type one
};

// One printable character as typed on a US keyboard, or one of Up, Down, Left, Right,
// Enter, Escape, Space, Backspace, Tab; nullopt for any other name.
std::optional<KeyStroke> keyNamed(std::string_view name);

}  // namespace shell

#include "shell/sdl/sdl_keys.hpp"

#include "runtime/form.hpp"

#include <array>
#include <string>
#include <string_view>

namespace shell {

namespace {
struct SdlKeyName {
    SDL_Keycode key;
    std::string_view name;
};

constexpr std::array<SdlKeyName, 10> kNamed{{
    {SDLK_UP, "Up"},
    {SDLK_DOWN, "Down"},
    {SDLK_LEFT, "Left"},
    {SDLK_RIGHT, "Right"},
    {SDLK_RETURN, "Enter"},
    {SDLK_KP_ENTER, "Enter"},
    {SDLK_ESCAPE, "Escape"},
    {SDLK_SPACE, "Space"},
    {SDLK_BACKSPACE, "Backspace"},
    {SDLK_TAB, "Tab"},
}};

struct SdlKeyCode {
    SDL_Keycode key;
    int keyCode;
};

// Keys that type nothing and have no name in scenarios.
constexpr std::array<SdlKeyCode, 11> kOthers{{
    {SDLK_LSHIFT, 16}, {SDLK_RSHIFT, 16}, {SDLK_LCTRL, 17}, {SDLK_RCTRL, 17}, {SDLK_LALT, 18}, {SDLK_RALT, 18},
    {SDLK_DELETE, 46}, {SDLK_INSERT, 45}, {SDLK_HOME, 36}, {SDLK_END, 35}, {SDLK_PAGEUP, 33},
}};

int shiftOf(const SDL_Keysym& key) { return (key.mod & KMOD_SHIFT) ? rt::kShiftMask : 0; }
}  // namespace

std::optional<KeyStroke> strokeOf(const SDL_Keysym& key) {
    for (const SdlKeyName& named : kNamed)
        if (named.key == key.sym) return keyNamed(named.name);
    if (key.sym > ' ' && key.sym < 127) {
        // SDL names a printable key by what it types unshifted.
        auto stroke = keyNamed(std::string(1, char(key.sym)));
        if (stroke) stroke->shift = shiftOf(key);
        return stroke;
    }
    if (key.sym >= SDLK_F1 && key.sym <= SDLK_F12) return KeyStroke{112 + int(key.sym - SDLK_F1), shiftOf(key), {}};
    for (const SdlKeyCode& other : kOthers)
        if (other.key == key.sym) return KeyStroke{other.keyCode, shiftOf(key), {}};
    return std::nullopt;
}

std::optional<int> controlCharacterOf(const SDL_Keysym& key) {
    if (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) return rt::kKeyEnter;
    if (key.sym == SDLK_ESCAPE) return rt::kKeyEscape;
    if (key.sym == SDLK_BACKSPACE) return rt::kKeyBackspace;
    return std::nullopt;
}

}  // namespace shell

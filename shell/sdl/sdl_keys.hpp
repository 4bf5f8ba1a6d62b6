// Keys as SDL reports them, turned into the key codes and characters of the game.
#pragma once

#include "shell/values/key_names.hpp"

#include <SDL_keyboard.h>

#include <optional>

namespace shell {

// The key code KeyUp reports for a key, with the Shift state; nullopt for a key the
// game has no code for.
std::optional<KeyStroke> strokeOf(const SDL_Keysym& key);

// The character KeyPress reports for a key that types one but sends no text input
// (Enter, Escape, Backspace); nullopt for the others.
std::optional<int> controlCharacterOf(const SDL_Keysym& key);

}  // namespace shell

// The layouts of the game's eight screens, as data.
#pragma once

#include "runtime/layout.hpp"

#include <array>

namespace screens {

extern const rt::FormLayout Form1;       // menu
extern const rt::FormLayout Form2;       // game screen
extern const rt::FormLayout Form3;       // result: 71 to 90 hits
extern const rt::FormLayout Form4;       // result: lost round
extern const rt::FormLayout Form5;       // result: 91 to 120 hits
extern const rt::FormLayout Form6;       // result: 121 hits or more
extern const rt::FormLayout Form7;       // help
extern const rt::FormLayout frmCredits;  // reload screen

// Every screen, in the order the program defines them.
std::array<const rt::FormLayout*, 8> all();

}  // namespace screens

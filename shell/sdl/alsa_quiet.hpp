// ALSA writes its own lines to standard error where it finds no sound card; the game
// says once, in its own words, that it plays silent instead.
#pragma once

namespace shell {

// Silences ALSA's messages if SDL has loaded it; does nothing elsewhere.
void quietAlsa();

}  // namespace shell

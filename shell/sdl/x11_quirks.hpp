// What SDL's X11 video leaves for the game to do itself.
#pragma once

#include <SDL.h>

namespace shell {

#ifdef KRAX_X11
// Before SDL's video starts: from then on to the end, an X error about a window the game
// has already closed is ignored, any other is said once on standard error, and none
// ends the game (Xlib's own handler would end the process).
void outliveXErrors();
// SDL_DestroyWindow, and the colormap that SDL made for the window freed too: SDL
// leaves it to the X server until the game ends, one more on every screen change.
void destroyWindow(SDL_Window* window);
#else
inline void outliveXErrors() {}
inline void destroyWindow(SDL_Window* window) { SDL_DestroyWindow(window); }
#endif

}  // namespace shell

// What SDL's X11 video leaves for the game to do itself.
#pragma once

#include <SDL.h>

namespace shell {

#ifdef KRAX_X11
// Before SDL's video starts: from then on to the end, an X error about a window the game
// has already closed is ignored, any other is said once on standard error by
// sayXErrors(), and none ends the game (Xlib's own handler would end the process).
void outliveXErrors();
// Says the X errors that came in since the last call, but those about windows that
// destroyedOutside() has heard of: to be called once the events read are handled.
void sayXErrors();
// SDL_DestroyWindow, and the colormap that SDL made for the window freed too: SDL
// leaves it to the X server until the game ends, one more on every screen change.
void destroyWindow(SDL_Window* window);
// From then on, the X events that SDL does not translate reach the game as
// SDL_SYSWMEVENTs: among them the news that another program destroyed a window.
void hearDestroyedWindows();
// Whether `e` says that the X server destroyed `window`, which the game had not closed
// (another program did: `xdotool windowclose`, say). The X errors about that window
// are not said from then on: SDL goes on asking for it until the game closes it.
bool destroyedOutside(const SDL_Event& e, SDL_Window* window);
#else
inline void outliveXErrors() {}
inline void sayXErrors() {}
inline void destroyWindow(SDL_Window* window) { SDL_DestroyWindow(window); }
inline void hearDestroyedWindows() {}
inline bool destroyedOutside(const SDL_Event&, SDL_Window*) { return false; }
#endif

}  // namespace shell

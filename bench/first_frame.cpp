// Preloaded into a program to time exec to its first frame: the first frame sent to
// a window (a window renderer's present, or an update of the window's own pixels)
// prints the monotonic clock and the frame's size on standard error and ends the
// program. Used by window_bench.py, alike for krax and for bare_window.
#include <SDL.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

namespace {
template <class Function>
Function real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

[[noreturn]] void shown(int w, int h) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "first-frame %lld %d %d\n", now.tv_sec * 1000000000LL + now.tv_nsec, w, h);
    _exit(0);
}
}  // namespace

extern "C" void SDL_RenderPresent(SDL_Renderer* renderer) {
    real<void (*)(SDL_Renderer*)>("SDL_RenderPresent")(renderer);
    if (!SDL_RenderGetWindow(renderer)) return;  // a renderer into a surface shows nothing yet
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    shown(w, h);
}

extern "C" int SDL_UpdateWindowSurfaceRects(SDL_Window* window, const SDL_Rect* rects, int count) {
    real<int (*)(SDL_Window*, const SDL_Rect*, int)>("SDL_UpdateWindowSurfaceRects")(window, rects, count);
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    shown(w, h);
}

// Preloaded into a program to time exec to its first frame: the first
// SDL_RenderPresent prints the monotonic clock and the frame's size on standard
// error and ends the program. Used by window_bench.py, alike for krax and for
// bare_window, so that both are timed the same way.
#include <SDL.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

extern "C" void SDL_RenderPresent(SDL_Renderer* renderer) {
    using Present = void (*)(SDL_Renderer*);
    const auto present = reinterpret_cast<Present>(dlsym(RTLD_NEXT, "SDL_RenderPresent"));
    present(renderer);
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    std::fprintf(stderr, "first-frame %lld %d %d\n", now.tv_sec * 1000000000LL + now.tv_nsec, w, h);
    _exit(0);
}

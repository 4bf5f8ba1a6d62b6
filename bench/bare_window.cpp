// The least a program can do to show a frame: an SDL window of the given size,
// centred, with a renderer, cleared and presented once, then waiting to be closed.
// The yardstick for krax's time from exec to its first frame.
//   krax_bare_window WIDTH HEIGHT
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: krax_bare_window WIDTH HEIGHT\n");
        return 2;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "krax_bare_window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          std::atoi(argv[1]), std::atoi(argv[2]), 0);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    if (!renderer) {
        std::fprintf(stderr, "krax_bare_window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_SetRenderDrawColor(renderer, 0, 128, 128, 255);
    SDL_RenderClear(renderer);
    SDL_RenderPresent(renderer);
    for (SDL_Event e; SDL_WaitEvent(&e) && e.type != SDL_QUIT;) {
    }
    SDL_Quit();
    return 0;
}

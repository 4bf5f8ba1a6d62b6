#include "shell/sdl/picture_store.hpp"

#include "pictures/pictures.hpp"
#include "shell/sdl/platform_error.hpp"

#include <SDL.h>
#include <SDL_image.h>

namespace shell {

PictureStore::~PictureStore() {
    for (auto& [key, surface] : decoded_) SDL_FreeSurface(surface);
}

SDL_Surface* PictureStore::surface(std::string_view name, bool twice) {
    const auto key = std::make_pair(std::string(name), twice);
    if (const auto it = decoded_.find(key); it != decoded_.end()) return it->second;
    const pictures::Picture* picture = pictures::find(name);
    if (!picture) return nullptr;
    const auto& png = twice ? picture->png2x : picture->png;
    SDL_Surface* surface = IMG_Load_RW(SDL_RWFromConstMem(png.data(), int(png.size())), 1);
    if (!surface) failSdl("cannot decode the picture " + std::string(name));
    return decoded_[key] = surface;
}

std::optional<rt::PixelSize> PictureStore::size(std::string_view name) {
    const SDL_Surface* s = surface(name, false);
    if (!s) return std::nullopt;
    return rt::PixelSize{s->w, s->h};
}

}  // namespace shell

#include "shell/sdl/fonts.hpp"

#include "shell/sdl/font_file.hpp"
#include "shell/sdl/platform_error.hpp"

#include <SDL_ttf.h>

namespace shell {

Fonts::~Fonts() {
    for (auto& [key, font] : open_) TTF_CloseFont(font);
}

TTF_Font* Fonts::get(const rt::FontSpec& wanted) {
    const std::string face = wanted.face ? wanted.face : "sans-serif";
    const auto key = std::make_tuple(face, wanted.pixels, wanted.bold);
    if (const auto it = open_.find(key); it != open_.end()) return it->second;
    const std::string file = fontFile(face, wanted.bold);
    // SDL_ttf counts sizes at 72 dots per inch, so its point size is the pixel size.
    TTF_Font* font = TTF_OpenFont(file.c_str(), wanted.pixels);
    if (!font) failSdl("cannot open the font " + file);
    return open_[key] = font;
}

}  // namespace shell

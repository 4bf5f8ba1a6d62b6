#include "shell/sdl/fonts.hpp"

#include "shell/sdl/platform_error.hpp"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <memory>

namespace shell {

namespace {
// The file of the font that fontconfig matches to a face and weight.
std::string fontFile(const std::string& face, bool bold) {
    const std::string name = face + (bold ? ":bold" : "");
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(
        FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str())), FcPatternDestroy);
    if (!pattern) throw PlatformError("cannot look up the font " + name);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result;
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> match(FcFontMatch(nullptr, pattern.get(), &result),
                                                                  FcPatternDestroy);
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
        throw PlatformError("no font installed matches " + name);
    return reinterpret_cast<const char*>(file);
}
}  // namespace

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

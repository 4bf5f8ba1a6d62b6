#include "shell/sdl/sdl_canvas.hpp"

#include "shell/sdl/platform_error.hpp"

#include <SDL.h>
#include <SDL_ttf.h>

namespace shell {

namespace {
constexpr std::size_t kMostTextTextures = 256;

SDL_Rect sdlRect(rt::PixelRect r) { return {r.x, r.y, r.w, r.h}; }

void destroyAll(std::map<std::string, SDL_Texture*>& textures) {
    for (auto& [key, texture] : textures) SDL_DestroyTexture(texture);
    textures.clear();
}
}  // namespace

SdlCanvas::SdlCanvas(SDL_Renderer* renderer, PictureStore& pictures, Fonts& fonts, bool twice)
    : renderer_(renderer), pictures_(pictures), fonts_(fonts), twice_(twice) {}

SdlCanvas::~SdlCanvas() {
    destroyAll(pictureTextures_);
    destroyAll(textTextures_);
}

void SdlCanvas::setClip(rt::PixelRect clip) {
    const SDL_Rect r = sdlRect(clip);
    SDL_RenderSetClipRect(renderer_, &r);
}

void SdlCanvas::fill(rt::PixelRect rect, rt::Rgb color) {
    const SDL_Rect r = sdlRect(rect);
    SDL_SetRenderDrawColor(renderer_, color.r, color.g, color.b, 255);
    SDL_RenderFillRect(renderer_, &r);
}

SDL_Texture* SdlCanvas::pictureTexture(const char* name) {
    if (const auto it = pictureTextures_.find(name); it != pictureTextures_.end()) return it->second;
    SDL_Surface* surface = pictures_.surface(name, twice_);
    if (!surface) return nullptr;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, surface);
    if (!texture) failSdl("cannot make a texture of " + std::string(name));
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);  // the carrots and the tractor are scaled
    return pictureTextures_[name] = texture;
}

void SdlCanvas::picture(const char* name, rt::PixelRect dest) {
    const SDL_Rect r = sdlRect(dest);
    if (SDL_Texture* texture = pictureTexture(name))
        SDL_RenderCopy(renderer_, texture, nullptr, &r);
    else
        fill(dest, {128, 128, 128});  // a picture the build did not bring
}

std::optional<rt::PixelSize> SdlCanvas::pictureSize(const char* name) { return pictures_.size(name); }

int SdlCanvas::textWidth(std::string_view text, const rt::FontSpec& font) {
    int w = 0, h = 0;
    TTF_SizeUTF8(fonts_.get(font), std::string(text).c_str(), &w, &h);
    return w;
}

int SdlCanvas::lineHeight(const rt::FontSpec& font) { return TTF_FontLineSkip(fonts_.get(font)); }

SDL_Texture* SdlCanvas::textTexture(std::string_view text, const rt::FontSpec& font, rt::Rgb color) {
    const std::string key = std::string(text) + '\0' + (font.face ? font.face : "") + '\0' +
                            std::to_string(font.pixels) + (font.bold ? "b" : "") + '\0' +
                            std::to_string(color.r << 16 | color.g << 8 | color.b);
    if (const auto it = textTextures_.find(key); it != textTextures_.end()) return it->second;
    if (textTextures_.size() >= kMostTextTextures) destroyAll(textTextures_);
    SDL_Surface* surface =
        TTF_RenderUTF8_Blended(fonts_.get(font), std::string(text).c_str(), SDL_Color{color.r, color.g, color.b, 255});
    if (!surface) failSdl("cannot draw the text " + std::string(text));
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, surface);
    SDL_FreeSurface(surface);
    if (!texture) failSdl("cannot make a texture of the text " + std::string(text));
    return textTextures_[key] = texture;
}

void SdlCanvas::text(std::string_view text, const rt::FontSpec& font, rt::Rgb color, int x, int y) {
    if (text.empty()) return;
    SDL_Texture* texture = textTexture(text, font, color);
    int w = 0, h = 0;
    SDL_QueryTexture(texture, nullptr, nullptr, &w, &h);
    const SDL_Rect r{x, y, w, h};
    SDL_RenderCopy(renderer_, texture, nullptr, &r);
}

}  // namespace shell

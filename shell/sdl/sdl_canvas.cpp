#include "shell/sdl/sdl_canvas.hpp"

#include "shell/sdl/platform_error.hpp"
#include "shell/values/utf8_bytes.hpp"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <iostream>
#include <utility>
#include <vector>

namespace shell {

namespace {
// Captions change now and then; their textures are kept until they fill this many
// bytes, then made afresh as they are drawn again.
constexpr std::size_t kMostTextBytes = 4 << 20;
// The widest texture made of a text, where the renderer sets no lower limit.
constexpr int kWidestText = 16384;

SDL_Rect sdlRect(rt::PixelRect r) { return {r.x, r.y, r.w, r.h}; }

// A text that cannot be drawn whole costs the player nothing: it is drawn cut, and
// said once, since it comes back on every frame.
void reportCut(std::string_view text, std::string_view reason) {
    static bool reported = false;
    if (std::exchange(reported, true)) return;
    std::cerr << "krax: a text of " << text.size() << " bytes is drawn cut: " << reason << '\n';
}

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

int SdlCanvas::widestText() {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer_, &info) != 0 || info.max_texture_width <= 0) return kWidestText;
    return std::min(info.max_texture_width, kWidestText);
}

// The longest start of `text` that is at most `most` pixels wide.
std::string_view SdlCanvas::fitting(std::string_view text, const rt::FontSpec& font, int most) {
    std::vector<std::size_t> ends;  // where each character ends
    for (std::size_t i = 1; i <= text.size(); ++i)
        if (i == text.size() || !continuesCharacter(text[i])) ends.push_back(i);
    const auto tooWide = std::partition_point(ends.begin(), ends.end(), [&](std::size_t end) {
        return textWidth(text.substr(0, end), font) <= most;
    });
    return text.substr(0, tooWide == ends.begin() ? 0 : *(tooWide - 1));
}

SDL_Texture* SdlCanvas::makeTextTexture(std::string_view text, const rt::FontSpec& font, rt::Rgb color) {
    if (const int widest = widestText(); textWidth(text, font) > widest) {
        reportCut(text, "wider than " + std::to_string(widest) + " pixels");
        text = fitting(text, font, widest);
    }
    SDL_Surface* surface =
        TTF_RenderUTF8_Blended(fonts_.get(font), std::string(text).c_str(), SDL_Color{color.r, color.g, color.b, 255});
    if (!surface) return reportCut(text, TTF_GetError()), nullptr;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, surface);
    SDL_FreeSurface(surface);
    if (!texture) reportCut(text, SDL_GetError());
    return texture;
}

SDL_Texture* SdlCanvas::textTexture(std::string_view text, const rt::FontSpec& font, rt::Rgb color) {
    const std::string key = std::string(text) + '\0' + (font.face ? font.face : "") + '\0' +
                            std::to_string(font.pixels) + (font.bold ? "b" : "") + '\0' +
                            std::to_string(color.r << 16 | color.g << 8 | color.b);
    if (const auto it = textTextures_.find(key); it != textTextures_.end()) return it->second;
    SDL_Texture* texture = makeTextTexture(text, font, color);
    if (!texture) return nullptr;
    int w = 0, h = 0;
    SDL_QueryTexture(texture, nullptr, nullptr, &w, &h);
    const std::size_t bytes = std::size_t(w) * std::size_t(h) * 4;
    if (textBytes_ + bytes > kMostTextBytes) destroyAll(textTextures_), textBytes_ = 0;
    textBytes_ += bytes;
    return textTextures_[key] = texture;
}

void SdlCanvas::text(std::string_view text, const rt::FontSpec& font, rt::Rgb color, int x, int y) {
    if (text.empty()) return;
    SDL_Texture* texture = textTexture(text, font, color);
    if (!texture) return;
    int w = 0, h = 0;
    SDL_QueryTexture(texture, nullptr, nullptr, &w, &h);
    const SDL_Rect r{x, y, w, h};
    SDL_RenderCopy(renderer_, texture, nullptr, &r);
}

}  // namespace shell

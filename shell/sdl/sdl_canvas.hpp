// Drawing on an SDL renderer: a window's, or a software one for screenshots.
#pragma once

#include "runtime/canvas.hpp"
#include "shell/sdl/fonts.hpp"
#include "shell/sdl/picture_store.hpp"

#include <map>
#include <string>

struct SDL_Renderer;
struct SDL_Texture;

namespace shell {

class SdlCanvas : public rt::Canvas {
public:
    // `twice`: draw from the pictures made for two device pixels per screen pixel.
    SdlCanvas(SDL_Renderer* renderer, PictureStore& pictures, Fonts& fonts, bool twice);
    ~SdlCanvas() override;

    void setClip(rt::PixelRect clip) override;
    void fill(rt::PixelRect rect, rt::Rgb color) override;
    void picture(const char* name, rt::PixelRect dest) override;
    std::optional<rt::PixelSize> pictureSize(const char* name) override;
    int textWidth(std::string_view text, const rt::FontSpec& font) override;
    int lineHeight(const rt::FontSpec& font) override;
    void text(std::string_view text, const rt::FontSpec& font, rt::Rgb color, int x, int y) override;

private:
    SDL_Texture* pictureTexture(const char* name);
    // A text's texture, from the cache or made; nullptr when it cannot be drawn at all.
    SDL_Texture* textTexture(std::string_view text, const rt::FontSpec& font, rt::Rgb color);
    SDL_Texture* makeTextTexture(std::string_view text, const rt::FontSpec& font, rt::Rgb color);
    int widestText();
    std::string_view fitting(std::string_view text, const rt::FontSpec& font, int most);

    SDL_Renderer* renderer_;
    PictureStore& pictures_;
    Fonts& fonts_;
    bool twice_;
    std::map<std::string, SDL_Texture*> pictureTextures_;
    std::map<std::string, SDL_Texture*> textTextures_;
    std::size_t textBytes_ = 0;  // held by textTextures_
};

}  // namespace shell

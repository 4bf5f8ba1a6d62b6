#include "shell/sdl/screenshot.hpp"

#include "runtime/drawing.hpp"
#include "shell/sdl/platform_error.hpp"
#include "shell/sdl/sdl_canvas.hpp"
#include "shell/sdl/sdl_library.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>

namespace shell {

namespace {
// Started on the first screenshot, for the rest of the program.
struct Offscreen {
    SdlLibrary library{false};
    PictureStore pictures;
    Fonts fonts;
};

Offscreen& offscreen() {
    static Offscreen instance;
    return instance;
}
}  // namespace

void saveScreenshot(const rt::Form& form, const std::string& file) {
    Offscreen& off = offscreen();
    const rt::PixelSize size = rt::clientPixels(form.layout(), 1);
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface(
        SDL_CreateRGBSurfaceWithFormat(0, size.w, size.h, 32, SDL_PIXELFORMAT_RGB888), SDL_FreeSurface);
    if (!surface) failSdl("cannot make a picture of " + std::string(form.name()));
    std::unique_ptr<SDL_Renderer, decltype(&SDL_DestroyRenderer)> renderer(SDL_CreateSoftwareRenderer(surface.get()),
                                                                         SDL_DestroyRenderer);
    if (!renderer) failSdl("cannot draw " + std::string(form.name()));
    {
        SdlCanvas canvas(renderer.get(), off.pictures, off.fonts, false);
        rt::drawForm(form, canvas, 1);
    }
    SDL_RenderPresent(renderer.get());
    if (IMG_SavePNG(surface.get(), file.c_str()) != 0) failSdl("cannot write " + file);
}

}  // namespace shell

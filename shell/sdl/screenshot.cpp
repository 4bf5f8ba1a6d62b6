#include "shell/sdl/screenshot.hpp"

#include "runtime/drawing.hpp"
#include "shell/sdl/platform_error.hpp"
#include "shell/sdl/sdl_canvas.hpp"
#include "shell/sdl/sdl_library.hpp"
#include "shell/values/write_file.hpp"

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

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

Surface drawn(const rt::Form& form) {
    Offscreen& off = offscreen();
    const rt::PixelSize size = rt::clientPixels(form.layout(), 1);
    Surface surface(SDL_CreateRGBSurfaceWithFormat(0, size.w, size.h, 32, SDL_PIXELFORMAT_RGB888), SDL_FreeSurface);
    if (!surface) failSdl("cannot make a picture of " + std::string(form.name()));
    std::unique_ptr<SDL_Renderer, decltype(&SDL_DestroyRenderer)> renderer(SDL_CreateSoftwareRenderer(surface.get()),
                                                                         SDL_DestroyRenderer);
    if (!renderer) failSdl("cannot draw " + std::string(form.name()));
    {
        SdlCanvas canvas(renderer.get(), off.pictures, off.fonts, false);
        rt::drawForm(form, canvas, 1);
    }
    SDL_RenderPresent(renderer.get());
    return surface;
}

// An SDL stream that appends to a byte vector; it only writes.
size_t appendBytes(SDL_RWops* stream, const void* bytes, size_t size, size_t count) {
    auto& png = *static_cast<std::vector<unsigned char>*>(stream->hidden.unknown.data1);
    const auto* first = static_cast<const unsigned char*>(bytes);
    png.insert(png.end(), first, first + size * count);
    return count;
}
}  // namespace

std::vector<unsigned char> screenPng(const rt::Form& form) {
    const Surface surface = drawn(form);
    std::vector<unsigned char> png;
    std::unique_ptr<SDL_RWops, decltype(&SDL_FreeRW)> stream(SDL_AllocRW(), SDL_FreeRW);
    if (!stream) failSdl("cannot make a picture of " + std::string(form.name()));
    stream->write = appendBytes;
    stream->hidden.unknown.data1 = &png;
    if (IMG_SavePNG_RW(surface.get(), stream.get(), 0) != 0) failSdl("cannot make a picture of " + std::string(form.name()));
    return png;
}

void saveScreenshot(const rt::Form& form, const std::string& file) { writeFile(file, screenPng(form)); }

}  // namespace shell

// The compiled-in pictures, decoded on first use.
#pragma once

#include "runtime/canvas.hpp"

#include <map>
#include <optional>
#include <string>
#include <string_view>

struct SDL_Surface;

namespace shell {

class PictureStore {
public:
    PictureStore() = default;
    ~PictureStore();
    PictureStore(const PictureStore&) = delete;
    PictureStore& operator=(const PictureStore&) = delete;

    // The picture drawn at one or at two device pixels per screen pixel; nullptr
    // for a name that has no picture.
    SDL_Surface* surface(std::string_view name, bool twice);
    // Its size at one device pixel per screen pixel.
    std::optional<rt::PixelSize> size(std::string_view name);

private:
    std::map<std::pair<std::string, bool>, SDL_Surface*> decoded_;
};

}  // namespace shell

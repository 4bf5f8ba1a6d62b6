// SDL and its image and font libraries, started for as long as this object lives.
#pragma once

#include <string_view>

namespace shell {

// The window system SDL's video runs on, by SDL's name for it ("x11", "wayland",
// "windows"...); empty before it starts.
std::string_view windowSystem();

class SdlLibrary {
public:
    // With `video`, the display too: windows, input and events.
    explicit SdlLibrary(bool video);
    ~SdlLibrary();
    SdlLibrary(const SdlLibrary&) = delete;
    SdlLibrary& operator=(const SdlLibrary&) = delete;
};

}  // namespace shell

// SDL and its image and font libraries, started for as long as this object lives.
#pragma once

namespace shell {

class SdlLibrary {
public:
    // With `video`, the display too: windows, input and events.
    explicit SdlLibrary(bool video);
    ~SdlLibrary();
    SdlLibrary(const SdlLibrary&) = delete;
    SdlLibrary& operator=(const SdlLibrary&) = delete;
};

}  // namespace shell

#include "shell/sdl/font_file.hpp"

#include "shell/sdl/platform_error.hpp"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace shell {

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

}  // namespace shell

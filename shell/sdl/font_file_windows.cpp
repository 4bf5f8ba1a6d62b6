// The labels' fonts on Windows, which has no fontconfig: the player's installed font
// from the Windows fonts folder where there is one, else the font shipped beside
// krax.exe (Comic Neue Bold, as Linux draws where the Comic font is not installed).
#include "shell/sdl/font_file.hpp"

#include "shell/sdl/platform_error.hpp"

#include <windows.h>

#include <filesystem>
#include <string_view>

namespace shell {

namespace {
struct InstalledFont {
    std::string_view face;
    bool bold;
    const wchar_t* file;
};
// In the order tried; the plain sans-serif is the code box's.
constexpr InstalledFont kInstalled[] = {
    {"Comic Sans MS", true, L"comicbd.ttf"},   {"Comic Sans MS", false, L"comic.ttf"},
    {"sans-serif", false, L"segoeui.ttf"},     {"sans-serif", false, L"tahoma.ttf"},
    {"sans-serif", false, L"arial.ttf"},       {"sans-serif", true, L"segoeuib.ttf"},
    {"sans-serif", true, L"tahomabd.ttf"},     {"sans-serif", true, L"arialbd.ttf"},
};
constexpr const wchar_t* kShipped = L"ComicNeue-Bold.otf";

std::filesystem::path fontsFolder() {
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::filesystem::path(windows) / L"Fonts";
}

std::filesystem::path programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return std::filesystem::path(path.substr(0, length)).parent_path();
        path.resize(path.size() * 2);
    }
}

// SDL_ttf opens files by UTF-8 names.
std::string utf8Path(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}
}  // namespace

std::string fontFile(const std::string& face, bool bold) {
    std::error_code ignored;
    const std::filesystem::path installed = fontsFolder();
    for (const InstalledFont& font : kInstalled)
        if (font.face == face && font.bold == bold && !installed.empty() &&
            std::filesystem::is_regular_file(installed / font.file, ignored))
            return utf8Path(installed / font.file);
    const std::filesystem::path shipped = programFolder() / kShipped;
    if (!std::filesystem::is_regular_file(shipped, ignored))
        throw PlatformError("the font " + utf8Path(shipped) + " is missing; it comes with krax.exe");
    return utf8Path(shipped);
}

}  // namespace shell

#include "shell/win32/utf8.hpp"

#include <windows.h>

namespace shell {

std::string utf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int wide = int(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::wstring utf16(std::string_view text) {
    if (text.empty()) return {};
    const int bytes = int(text.size());
    const int wide = MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, nullptr, 0);
    std::wstring out(std::size_t(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, out.data(), wide);
    return out;
}

}  // namespace shell

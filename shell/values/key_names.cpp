#include "shell/values/key_names.hpp"

#include "runtime/form.hpp"

#include <array>

namespace shell {

namespace {
struct NamedKey {
    std::string_view name;
    int keyCode;
    std::optional<int> character;
};

constexpr std::array<NamedKey, 9> kNamedKeys{{
    {"Up", rt::kKeyUp, std::nullopt},
    {"Down", rt::kKeyDown, std::nullopt},
    {"Left", rt::kKeyLeft, std::nullopt},
    {"Right", rt::kKeyRight, std::nullopt},
    {"Enter", rt::kKeyEnter, rt::kKeyEnter},
    {"Escape", rt::kKeyEscape, rt::kKeyEscape},
    {"Space", rt::kKeySpace, rt::kKeySpace},
    {"Backspace", rt::kKeyBackspace, rt::kKeyBackspace},
    {"Tab", rt::kKeyTab, std::nullopt},
}};

// The keys of the digit row and the punctuation keys: what each types alone and with
// Shift, and its key code.
constexpr std::string_view kPlain = "0123456789;=,-./`[\\]'";
constexpr std::string_view kShifted = ")!@#$%^&*(:+<_>?~{|}\"";
constexpr std::array<int, 21> kCodes{48,  49,  50,  51,  52,  53,  54,  55,  56,  57, 186,
                                     187, 188, 189, 190, 191, 192, 219, 220, 221, 222};

std::optional<KeyStroke> typed(char c) {
    const int code = static_cast<unsigned char>(c);
    if (c == ' ') return KeyStroke{rt::kKeySpace, 0, rt::kKeySpace};
    if (c >= 'a' && c <= 'z') return KeyStroke{code - 'a' + 'A', 0, code};
    if (c >= 'A' && c <= 'Z') return KeyStroke{code, 1, code};
    if (const auto i = kPlain.find(c); i != std::string_view::npos) return KeyStroke{kCodes[i], 0, code};
    if (const auto i = kShifted.find(c); i != std::string_view::npos) return KeyStroke{kCodes[i], 1, code};
    return std::nullopt;
}
}  // namespace

std::optional<KeyStroke> keyNamed(std::string_view name) {
    if (name.size() == 1) return typed(name[0]);
    for (const NamedKey& key : kNamedKeys)
        if (key.name == name) return KeyStroke{key.keyCode, 0, key.character};
    return std::nullopt;
}

}  // namespace shell

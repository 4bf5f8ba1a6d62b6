#include "shell/program/sound_choice.hpp"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>
#include <system_error>

namespace shell {

namespace {
std::optional<std::filesystem::path> folderNamed(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value || !*value) return std::nullopt;
    return std::filesystem::path(value);
}
}  // namespace

std::optional<std::filesystem::path> soundChoiceFile() {
#ifdef _WIN32
    const auto folder = folderNamed("APPDATA");
    if (!folder) return std::nullopt;
    return *folder / "KRAX" / "sound";
#else
    if (const auto config = folderNamed("XDG_CONFIG_HOME")) return *config / "krax" / "sound";
    const auto home = folderNamed("HOME");
    if (!home) return std::nullopt;
    return *home / ".config" / "krax" / "sound";
#endif
}

bool rememberedMute() {
    const auto file = soundChoiceFile();
    if (!file) return false;
    std::ifstream in(*file);
    std::string word;
    return in >> word && word == "off";
}

void rememberMute(bool muted, std::ostream& err) {
    const auto file = soundChoiceFile();
    if (!file) return;
    std::error_code error;
    std::filesystem::create_directories(file->parent_path(), error);
    errno = 0;
    std::ofstream out(*file, std::ios::trunc);
    if (out << (muted ? "off" : "on") << '\n' && out.flush()) return;
    const std::string reason = error ? error.message()
                               : errno ? std::generic_category().message(errno)
                                       : "cannot write it";
    err << "krax: cannot keep the sound choice in " << file->string() << ": " << reason << '\n';
}

}  // namespace shell

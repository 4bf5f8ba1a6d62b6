// The player's sound choice, remembered between runs in the folder the environment names.
#include "shell/program/sound_choice.hpp"
#include "temp_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace {

#ifdef _WIN32
constexpr const char* kFolderVariable = "APPDATA";
const std::filesystem::path kWithin = std::filesystem::path("KRAX") / "sound";
void setVariable(const char* name, const std::string& value) { _putenv_s(name, value.c_str()); }
#else
constexpr const char* kFolderVariable = "XDG_CONFIG_HOME";
const std::filesystem::path kWithin = std::filesystem::path("krax") / "sound";
void setVariable(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }
#endif

// Points the choice at a folder of the test's own for as long as it lives.
class ChoiceFolder {
public:
    explicit ChoiceFolder(const std::filesystem::path& folder) : folder_(folder) {
        if (const char* old = std::getenv(kFolderVariable)) old_ = old;
        setVariable(kFolderVariable, folder.string());
    }
    ~ChoiceFolder() {
        setVariable(kFolderVariable, old_.value_or(""));
        std::filesystem::remove_all(folder_);
    }
    ChoiceFolder(const ChoiceFolder&) = delete;
    ChoiceFolder& operator=(const ChoiceFolder&) = delete;

private:
    std::filesystem::path folder_;
    std::optional<std::string> old_;
};

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SoundChoice, IsRememberedInTheFolderTheEnvironmentNames) {
    const auto folder = ownTempFile("krax_sound_choice");
    const ChoiceFolder choice(folder);
    ASSERT_EQ(shell::soundChoiceFile(), folder / kWithin);
    EXPECT_FALSE(shell::rememberedMute()) << "nothing remembered: sound on";

    std::ostringstream err;
    shell::rememberMute(true, err);
    EXPECT_EQ(contents(folder / kWithin), "off\n");
    EXPECT_TRUE(shell::rememberedMute());
    shell::rememberMute(false, err);
    EXPECT_FALSE(shell::rememberedMute());
    EXPECT_EQ(err.str(), "");

    std::ofstream(folder / kWithin) << "loud\n";
    EXPECT_FALSE(shell::rememberedMute()) << "a word it does not know is sound on";
}

TEST(SoundChoice, AChoiceThatCannotBeKeptIsOneLineAndTheGameGoesOn) {
    const auto folder = ownTempFile("krax_sound_choice_blocked");
    std::ofstream(folder) << "a file where the folder would be\n";
    const ChoiceFolder choice(folder);
    std::ostringstream err;
    shell::rememberMute(true, err);
    const std::string said = err.str();
    EXPECT_EQ(said.rfind("krax: cannot keep the sound choice in " + (folder / kWithin).string() + ": ", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_FALSE(shell::rememberedMute());
}

}  // namespace

// The kept rounds' folder pointed at a folder of the test's own for as long as it
// lives, as every test that plays live must: XDG_STATE_HOME, or LOCALAPPDATA on Windows.
#pragma once

#include "temp_file.hpp"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

class OwnStateHome {
public:
    explicit OwnStateHome(const std::string& name) : home_(ownTempFile(name)) {
        std::filesystem::remove_all(home_);
        std::filesystem::create_directories(home_);
        if (const char* old = std::getenv(kVariable)) old_ = old;
        put(home_.string().c_str());
    }
    ~OwnStateHome() {
        put(old_ ? old_->c_str() : nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(home_, ignored);
    }
    OwnStateHome(const OwnStateHome&) = delete;
    OwnStateHome& operator=(const OwnStateHome&) = delete;

    const std::filesystem::path& home() const { return home_; }

private:
#ifdef _WIN32
    static constexpr const char* kVariable = "LOCALAPPDATA";
    static void put(const char* value) { _putenv_s(kVariable, value ? value : ""); }
#else
    static constexpr const char* kVariable = "XDG_STATE_HOME";
    static void put(const char* value) { value ? setenv(kVariable, value, 1) : unsetenv(kVariable); }
#endif

    std::filesystem::path home_;
    std::optional<std::string> old_;
};

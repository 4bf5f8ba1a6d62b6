#include "shell/script/driver.hpp"

#include "shell/script/script_commands.hpp"
#include "shell/script/script_error.hpp"
#include "shell/script/script_lines.hpp"

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace shell {

namespace {
// Installs the scripted input box for as long as the script plays.
class InputBoxInstalled {
public:
    InputBoxInstalled(rt::App& app, ScriptedInputBox& box) : app_(app) { app_.setInputBoxHost(&box); }
    ~InputBoxInstalled() { app_.setInputBoxHost(nullptr); }
    InputBoxInstalled(const InputBoxInstalled&) = delete;
    InputBoxInstalled& operator=(const InputBoxInstalled&) = delete;

private:
    rt::App& app_;
};

std::string_view trimmed(std::string_view line) {
    constexpr std::string_view kBlanks = " \t\r";
    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

int playLine(Session& session, std::string_view line, int number, std::ostream& err) {
    try {
        const auto words = splitWords(line);
        if (!words.empty()) runCommand(session, words);
        return 0;
    } catch (const ExpectFailure& failure) {
        err << "line " << number << ": " << failure.what() << '\n';
        return 1;
    } catch (const BadRequest& error) {
        err << "line " << number << ": " << error.what() << ": " << errorText(line) << '\n';
        return 2;
    }
}

// Plays the lines as they come; the script stops at the first that does not run.
int playLines(Session& session, std::istream& script, std::ostream& err) {
    std::string line;
    for (int number = 1;; ++number) {
        switch (readLine(script, line)) {
            case LineRead::End: return 0;
            case LineRead::TooLong:
                err << "line " << number << ": longer than " << kLongestLine << " bytes: " << errorText(line) << '\n';
                return 2;
            case LineRead::Line: break;
        }
        if (const int status = playLine(session, trimmed(line), number, err)) return status;
    }
}
}  // namespace

int playScript(rt::App& app, std::istream& script, std::ostream& out, std::ostream& err, const ShotWriter& shot,
               std::string_view source) {
    app.setErrorStream(err);
    ScriptedInputBox inputBox(err);
    const InputBoxInstalled installed(app, inputBox);
    Session session{app, inputBox, out, shot};
    try {
        return playLines(session, script, err);
    } catch (const UnreadableScript& e) {
        err << "krax: cannot read " << source << ": " << e.what() << '\n';
        return 2;
    }
}

}  // namespace shell

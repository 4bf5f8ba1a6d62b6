#include "shell/script/driver.hpp"

#include "shell/script/script_commands.hpp"
#include "shell/script/script_line.hpp"

#include <istream>
#include <ostream>
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
}  // namespace

int playScript(rt::App& app, std::istream& script, std::ostream& out, std::ostream& err, const ShotWriter& shot,
               std::string_view source) {
    app.setErrorStream(err);
    ScriptedInputBox inputBox(err);
    const InputBoxInstalled installed(app, inputBox);
    sound::Hearing hearing(app, true);
    Session session{app, inputBox, out, shot, hearing};
    // The lines play as they come; the script stops at the first that does not run.
    return eachLine(script, err, source, [&](std::string_view line, int number) {
        return reportLine(line, number, err, [&] {
            if (const auto words = splitWords(line); !words.empty()) runCommand(session, words);
        });
    });
}

}  // namespace shell

// krax.exe's entry point: the command line as UTF-8, the parent's console where there
// is one, then the same program as on every system; where standard error leads
// nowhere (a double click), a failure to start is shown in a message box.
#include "shell/program/program.hpp"
#include "shell/win32/console.hpp"
#include "shell/win32/failure_box.hpp"
#include "shell/win32/utf8.hpp"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    const bool errorLeadsSomewhere = shell::useParentConsole();
    // Windows has one window system and it is always there: named, SDL opens it without
    // the search for an X11 or Wayland display that other systems need.
    if (GetEnvironmentVariableW(L"SDL_VIDEODRIVER", nullptr, 0) == 0) SetEnvironmentVariableW(L"SDL_VIDEODRIVER", L"windows");
    std::vector<std::string> texts;
    for (int i = 1; i < argc; ++i) texts.push_back(shell::utf8(argv[i]));
    const std::vector<std::string_view> args(texts.begin(), texts.end());
    if (errorLeadsSomewhere) return shell::runProgram(args);
    return shell::showingFailure([&] { return shell::runProgram(args); });
}

#include "shell/win32/failure_box.hpp"

#include "shell/win32/utf8.hpp"

#include <windows.h>

#include <iostream>
#include <sstream>

namespace shell {

void showFailureBox(const std::string& text) {
    MessageBoxW(nullptr, utf16(text).c_str(), L"KRAX", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

int showingFailure(const std::function<int()>& program, const std::function<void(const std::string&)>& show) {
    // The program lets go of C's stdio for speed, and letting go gives std::cerr a new
    // buffer of its own: done first here, so that what it says still lands in ours.
    std::ios::sync_with_stdio(false);
    std::ostringstream said;
    std::streambuf* const console = std::cerr.rdbuf(said.rdbuf());
    const int status = program();
    std::cerr.rdbuf(console);
    const std::string text = said.str();
    if (status != 0 && !text.empty()) show(text);
    return status;
}

}  // namespace shell

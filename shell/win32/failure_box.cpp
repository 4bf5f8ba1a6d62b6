#include "shell/win32/failure_box.hpp"

#include "shell/win32/utf8.hpp"

#include <windows.h>

#include <iostream>
#include <sstream>

namespace shell {

int showingFailure(const std::function<int()>& program) {
    std::ostringstream said;
    std::streambuf* const console = std::cerr.rdbuf(said.rdbuf());
    const int status = program();
    std::cerr.rdbuf(console);
    const std::string text = said.str();
    if (status != 0 && !text.empty())
        MessageBoxW(nullptr, utf16(text).c_str(), L"KRAX", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    return status;
}

}  // namespace shell

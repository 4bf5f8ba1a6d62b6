#include "shell/win32/console.hpp"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace shell {

namespace {
UINT consoleCodePage = 0;

// A windowed program starts with no standard handles, unless its starter handed it some
// (a redirect, or CTest's pipes): those are kept.
bool leadsSomewhere(DWORD stream) {
    const HANDLE handle = GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

void reopen(std::FILE* file, const char* device, const char* mode) {
    if (std::freopen(device, mode, file)) std::setvbuf(file, nullptr, file == stderr ? _IONBF : _IOLBF, 1024);
}

// The console is the starter's: it gets its own code page back.
void restoreCodePage() { SetConsoleOutputCP(consoleCodePage); }
}  // namespace

bool useParentConsole() {
    // Looked at before attaching, which may give the streams the console's own handles.
    const bool input = leadsSomewhere(STD_INPUT_HANDLE);
    const bool output = leadsSomewhere(STD_OUTPUT_HANDLE);
    const bool error = leadsSomewhere(STD_ERROR_HANDLE);
    if (input && output && error) return true;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return error;
    if (!input) reopen(stdin, "CONIN$", "r");
    if (!output) reopen(stdout, "CONOUT$", "w");
    if (!error) reopen(stderr, "CONOUT$", "w");
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) std::atexit(restoreCodePage);
    return true;
}

}  // namespace shell

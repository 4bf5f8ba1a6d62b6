// krax.exe is a windowed program, so a double click opens no console. Started from a
// console, it still answers there: --version, --help and --headless print as any
// command-line program's do.
#pragma once

namespace shell {

// Attaches to the console of the program that started this one, if any, and points
// the standard streams that lead nowhere at it; streams already led to a file or a
// pipe keep theirs. Text goes out as UTF-8. Returns whether standard error now leads
// somewhere (a console, a file, a pipe): not so for a double click.
bool useParentConsole();

}  // namespace shell

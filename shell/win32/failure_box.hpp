// A double-clicked krax.exe has no console: what it would say there when it cannot
// start is shown in a message box instead.
#pragma once

#include <functional>

namespace shell {

// Runs `program` with what it writes to std::cerr kept; when it ends with a status
// other than 0 and said something, shows that in a message box. Returns the status.
int showingFailure(const std::function<int()>& program);

}  // namespace shell

// A double-clicked krax.exe has no console: what it would say there when it cannot
// start is shown in a message box instead.
#pragma once

#include <functional>
#include <string>

namespace shell {

// Shows a failure's text in a message box.
void showFailureBox(const std::string& text);

// Runs `program` with what it writes to std::cerr kept; when it ends with a status
// other than 0 and said something, hands that to `show`. Returns the status.
int showingFailure(const std::function<int()>& program,
                   const std::function<void(const std::string&)>& show = showFailureBox);

}  // namespace shell

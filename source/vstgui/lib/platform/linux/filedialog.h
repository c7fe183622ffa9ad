#pragma once

// The command lines of the desktop's file dialog programs. Pure functions, any thread.

#include "vstgui/lib/platform/ifiledialog.h"

#include <string>
#include <vector>

namespace VSTGUI::Linux {

// Argument vectors for posix_spawnp, the program name first; each element is one argument as
// the program sees it (no shell quoting).
std::vector<std::string> zenityArguments(const FileDialogRequest& request);
std::vector<std::string> kdialogArguments(const FileDialogRequest& request);

} // namespace VSTGUI::Linux

#pragma once

// The window system's file dialog, as the file selector drives it.

#include "vstgui/lib/cfileextension.h"

#include <memory>
#include <string>
#include <vector>

namespace VSTGUI {

enum class FileDialogStyle { kSelectFile, kSelectSaveFile, kSelectDirectory };

struct FileDialogRequest {
    FileDialogStyle style{FileDialogStyle::kSelectFile};
    std::string title;
    std::vector<CFileExtension> filters; // in the order added; the default extension comes first
    std::string defaultExtension;        // without the dot; empty for none
    std::string initialFileName;         // proposed name in a save dialog; empty for none
};

// One running dialog program. GUI thread only.
// Destroying it before it has ended stops the program and reaps it.
class IPlatformFileDialog {
public:
    virtual ~IPlatformFileDialog() = default;
    // Waits at most timeoutMs (0: just looks) and tells whether the dialog has ended.
    virtual bool poll(int timeoutMs) = 0;
    // Once poll() said ended: the chosen paths, empty when cancelled or when the program failed.
    virtual std::vector<std::string> result() const = 0;
};

// Starts the dialog program; null when none could be started.
// Defined by the platform back end (zenity, else kdialog).
std::unique_ptr<IPlatformFileDialog> startPlatformFileDialog(const FileDialogRequest& request);

} // namespace VSTGUI

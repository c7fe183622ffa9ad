#pragma once

#include "vstgui/lib/cfileselector.h"

#include <functional>
#include <string>

namespace VSTGUI {
class CView;
}

namespace korvel::gui {

struct FileDialogRequest {
    VSTGUI::CNewFileSelector::Style style = VSTGUI::CNewFileSelector::kSelectFile;
    VSTGUI::UTF8String title;
    // Empty: no default extension.
    VSTGUI::CFileExtension fileType;
};

// Opens the dialog for `owner` without blocking the host: `onChosen` gets the first chosen path at a
// later idle of the owner's frame, and is never called when the dialog was cancelled or the owner left
// its frame meanwhile (the editor closed). False when no dialog could be opened. GUI thread only.
bool openFileDialog(VSTGUI::CView& owner, const FileDialogRequest& request,
                    std::function<void(const std::string& path)> onChosen);

} // namespace korvel::gui

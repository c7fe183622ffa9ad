#include "editor/EditorViews.h"

namespace korvel::views {

// The patch grid is not built yet: its place stays empty.
veldro::PatchManager* makePatchGrid(const EditorContext&, gui::CGroupbox&, const VSTGUI::CRect&) { return nullptr; }

void deletePatchManager(veldro::PatchManager*) {}

} // namespace korvel::views

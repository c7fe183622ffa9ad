#include "editor/EditorViews.h"

namespace korvel::views {

// The grain display is not built yet: its place stays empty.
gui::CGrainDisplay* makeGrainDisplay(const EditorContext&, gui::CGroupbox&, const VSTGUI::CRect&,
                                     gui::ITextReceiver*)
{
    return nullptr;
}

void tickGrainDisplay(gui::CGrainDisplay&, std::uint32_t) {}

} // namespace korvel::views

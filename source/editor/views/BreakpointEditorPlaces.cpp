#include "editor/EditorViews.h"

namespace korvel::views {

// The breakpoint editors are not built yet: their places stay empty.
gui::CBreakpoints* makeAdsrEditor(const EditorContext&, gui::CGroupbox&, const VSTGUI::CRect&, int) { return nullptr; }

gui::CBreakpoints* makeAttackDecayEditor(const EditorContext&, gui::CGroupbox&, const VSTGUI::CRect&)
{
    return nullptr;
}

} // namespace korvel::views

#include "editor/EditorViews.h"

namespace korvel::views {

// The sound-file view and the drop button are not built yet: their places stay empty.
gui::SoundfileView* makeSoundfileView(const EditorContext&, gui::CGroupbox&, const VSTGUI::CRect&) { return nullptr; }

void showPlayPosition(gui::SoundfileView&, std::uint64_t) {}

void makeDropButton(const EditorContext&, gui::CGroupbox&, const VSTGUI::CRect&) {}

} // namespace korvel::views

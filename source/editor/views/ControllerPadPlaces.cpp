#include "editor/EditorViews.h"
#include "synth/ParamTable.h"

namespace korvel::views {

// The pads are not built yet: their places are kept free.
VSTGUI::CRect makeControllerViewFor(const EditorContext&, VSTGUI::CViewContainer&, int paramId,
                                    const VSTGUI::CRect& rect, VSTGUI::CCoord spacing, gui::ITextReceiver*)
{
    VSTGUI::CRect covered = rect;
    VSTGUI::CRect pad = rect;
    for (int control = 0; control < veldro::getParamInfo(paramId).nof_controls; ++control) {
        covered.right = pad.right;
        pad.offset(pad.getWidth() + spacing, 0);
    }
    return covered;
}

} // namespace korvel::views

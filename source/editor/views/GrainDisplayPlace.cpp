#include "editor/EditorViews.h"

#include "gui/CGrainDisplay.h"
#include "gui/CGroupbox.h"
#include "gui/StaticPalettes.h"
#include "gui/Tooltips.h"
#include "synth/SynthParams.h"

namespace korvel::views {

namespace {
constexpr int GRAIN_DENSITY_ID = 6;
}

gui::CGrainDisplay* makeGrainDisplay(const EditorContext& context, gui::CGroupbox& box, const VSTGUI::CRect& rect,
                                     gui::ITextReceiver* label)
{
    auto* display = new gui::CGrainDisplay(rect, gui::grainDisplayColours);
    display->attachParams(context.params);
    display->setTextReceiver(label);
    gui::setTooltipForTag(display, GRAIN_DENSITY_ID);
    box.addView(display);
    return display;
}

void tickGrainDisplay(gui::CGrainDisplay& display, std::uint32_t now) { display.idle(now); }

} // namespace korvel::views

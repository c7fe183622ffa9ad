#include "editor/EditorViews.h"

#include "gui/CFilterView.h"
#include "gui/CGroupbox.h"
#include "gui/ControlFactories.h"
#include "gui/LayoutMetrics.h"
#include "gui/StaticPalettes.h"
#include "gui/Tooltips.h"
#include "synth/SynthParams.h"

namespace korvel::views {

namespace {

constexpr int FILTER_VIEW_TAG = 16;

struct MixSlider {
    int id;
    const char* title;
};
constexpr MixSlider mixSliders[3] = {{18, "low"}, {19, "mid"}, {20, "hi"}};

gui::CMultiPointXYPad::Point filterPoint(int cutoffId, int widthId)
{
    gui::CMultiPointXYPad::Point point;
    point.xParamId = static_cast<VSTGUI::uint32>(cutoffId);
    point.yParamId = static_cast<VSTGUI::uint32>(widthId);
    point.x = 0.5;
    point.y = 0.5;
    point.width = gui::s(3);
    point.height = gui::s(3);
    point.color = VSTGUI::CColor(0, 220, 255, 255);
    return point;
}

} // namespace

void makeFilterSection(const EditorContext& context, gui::CGroupbox& box, const VSTGUI::CRect& viewRect,
                       const VSTGUI::CRect (&sliderRects)[3], gui::ITextReceiver* filterLabel)
{
    auto* view = new gui::CFilterView(viewRect, FILTER_VIEW_TAG, gui::filterViewColours);
    view->setParams(&context.params);
    view->setPoints({filterPoint(16, 17), filterPoint(21, 22)});
    view->setTextReceiver(filterLabel);
    gui::setTooltipForControl(view);
    box.addView(view);
    for (int i = 0; i < 3; ++i) {
        gui::CTextSlider* slider = gui::makeTextSlider(sliderRects[i], view->getMixListener(), mixSliders[i].id,
                                                       mixSliders[i].title, context.palette);
        view->getMixListener()->addControl(slider);
        gui::setTooltipForControl(slider);
        box.addView(slider);
    }
    context.params.addListener(view);
    // Host automation and program changes reach the view on other threads; it follows them here.
    context.idleTasks.push_back(
        [keptView = VSTGUI::SharedPointer<gui::CFilterView>(view)] { keptView->applyPendingRefresh(); });
}

} // namespace korvel::views

#include "editor/EditorViews.h"

#include "editor/PatchManager.h"
#include "gui/CGrid.h"
#include "gui/CGroupbox.h"
#include "gui/LayoutMetrics.h"
#include "gui/StaticPalettes.h"
#include "synth/SynthParams.h"

namespace korvel::views {

namespace {

constexpr int COLUMNS = 18;
constexpr int ROWS = 7;

} // namespace

veldro::PatchManager* makePatchGrid(const EditorContext& context, gui::CGroupbox& box, const VSTGUI::CRect& rect)
{
    auto* grid = new gui::CGrid(rect, nullptr, COLUMNS, ROWS);
    auto* manager = new veldro::PatchManager(grid, context.synth, gui::patchManagerColours);
    manager->setTextReceiver(box.getStatusReceiver());
    context.params.addListener(manager);
    grid->setListener(manager);
    grid->setBackgroundColor(context.palette.background);
    grid->setFrameColor(VSTGUI::kTransparentCColor);
    grid->setCellColor(VSTGUI::kTransparentCColor);
    grid->setCellFrameColor(context.palette.frame);
    grid->setSpacing(VSTGUI::CPoint(gui::s(2), gui::s(2)));
    grid->layoutCells();
    grid->setCellDrawer([manager](gui::CGrid* owner, VSTGUI::CDrawContext* drawContext, const gui::CGrid::Cell& cell,
                                  int column, int row) { manager->drawCell(owner, drawContext, cell, column, row); });
    box.addView(grid);
    manager->paramChanged(veldro::GROUP_PATCH_SLOTS);
    context.idleTasks.push_back(manager->idleTask());
    return manager;
}

void deletePatchManager(veldro::PatchManager* manager) { delete manager; }

} // namespace korvel::views

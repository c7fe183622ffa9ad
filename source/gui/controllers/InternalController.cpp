#include "gui/controllers/InternalController.h"

#include "gui/FontSet.h"
#include "synth/ParamTable.h"
#include "vstgui/lib/cdrawcontext.h"

#include <cmath>

using namespace VSTGUI;

namespace korvel::gui {

namespace {

struct Cell {
    double x;
    double y;
    bool right;
};
// Entries 0 to 5: left/top, left/middle, right/top, right/middle, left/bottom, right/bottom.
constexpr std::array<Cell, 6> CELLS = {{
    {0.1, 0.1, false}, {0.1, 0.5, false}, {0.9, 0.1, true}, {0.9, 0.5, true}, {0.1, 0.9, false}, {0.9, 0.9, true},
}};

enum Row { TOP, MIDDLE, BOTTOM };
constexpr std::array<Row, 6> CELL_ROWS = {TOP, MIDDLE, TOP, MIDDLE, BOTTOM, BOTTOM};

std::optional<int> cellAt(double x, double y)
{
    if (x == 0.5 || y == 0.3 || y == 0.7)
        return std::nullopt;
    const bool right = x > 0.5;
    const Row row = y < 0.3 ? TOP : y < 0.7 ? MIDDLE : BOTTOM;
    for (int i = 0; i < 6; ++i)
        if (CELLS[static_cast<std::size_t>(i)].right == right && CELL_ROWS[static_cast<std::size_t>(i)] == row)
            return i;
    return std::nullopt;
}

// The live parameter that the handle's control modulates.
int modulatedParam(const veldro::ParamControlHandle& handle)
{
    const veldro::ParamInfo* parent = veldro::getParamInfo(int(handle.getControlId())).parent;
    return parent ? parent->id : -1;
}

constexpr CColor HIDDEN{255, 255, 255, 0};
constexpr CColor OUTLINE{80, 80, 80, 255};

} // namespace

InternalController::InternalController(int group, const veldro::ParamControlHandle& handle, const Palette& palette)
    : ParamController(std::uint32_t(6 + group), handle, palette),
      sourceEntries(innerSourcesFor(group, modulatedParam(handle))), selection(0)
{
    // The source shown is the source pushed: a new controller follows its first entry.
    this->handle.control_patch.params[0] = sourceEntries[0].id;
}

void InternalController::refresh()
{
    ParamController::refresh();
    const double source = handle.getParamNormalized(0);
    for (int i = 0; i < 6; ++i)
        if (sourceEntries[static_cast<std::size_t>(i)].id == source) {
            selection = i;
            return;
        }
}

double InternalController::getX() { return selection ? CELLS[static_cast<std::size_t>(*selection)].x : -2.; }

double InternalController::getY() { return selection ? CELLS[static_cast<std::size_t>(*selection)].y : -1.; }

void InternalController::setXY(double x, double y)
{
    selection = cellAt(x, y);
    if (selection)
        handle.setParamNormalized(0, sourceEntries[static_cast<std::size_t>(*selection)].id);
}

int InternalController::describe(char* buffer, std::size_t size)
{
    if (!selection)
        return ParamController::describe(buffer, size);
    const int id = sourceEntries[static_cast<std::size_t>(*selection)].id;
    return print(buffer, size, "using %s", veldro::getParamInfo(id).name.c_str());
}

CColor InternalController::colour() const { return selection ? palette.accent : HIDDEN; }

void InternalController::draw(CXYPad* pad, CDrawContext* context, double, double)
{
    const CRect& box = pad->getViewSize();
    const CCoord w = pad->getFrameWidth();
    context->setDrawMode(kAntiAliasing);
    context->setFillColor(palette.frame);
    context->drawRect(box, kDrawFilled);
    context->setLineWidth(w);
    context->setFrameColor(OUTLINE);
    context->drawRect(box, kDrawStroked);

    const CCoord innerWidth = box.getWidth() - 2. * w - 1.;
    const CCoord left = box.left + w;
    const CCoord top = box.top + w;
    const CCoord baseline = box.bottom - w - 2.;
    CFontDesc* font = fontSet().smallerFont(innerWidth < 40. || box.getHeight() - 2. * w < 30. ? 2 : 1);
    const CCoord h = std::trunc(font->getSize());
    context->setFont(font);
    const std::array<CCoord, 3> rowY = {top + h, baseline - ((baseline - top) - h) * 0.5, baseline};
    for (int i = 0; i < 6; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const char* name = sourceEntries[index].shortName;
        context->setFontColor(selection == i ? palette.background : palette.text);
        const CCoord x = CELLS[index].right ? left + innerWidth - context->getStringWidth(name) : left;
        context->drawString(name, CPoint(x, rowY[CELL_ROWS[index]]), true);
    }
}

} // namespace korvel::gui

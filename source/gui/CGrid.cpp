#include "gui/CGrid.h"

#include "gui/IComplexControlListener.h"
#include "vstgui/lib/cdrawcontext.h"

#include <cmath>

namespace korvel::gui {

using namespace VSTGUI;

CGrid::CGrid(const CRect& size, IComplexControlListener* listener, int columns, int rows)
    : CView(size), columns(columns), rows(rows), listener(listener), cellDrawer(ownDrawer())
{
}

CGrid::CGrid(const CGrid& other)
    : CView(other),
      columns(other.columns),
      rows(other.rows),
      cells(other.cells),
      selection(other.selection),
      listener(other.listener),
      buttons(other.buttons),
      cellDrawer(other.cellDrawer),
      cellBounds(other.cellBounds),
      spacing(other.spacing),
      frameWidth(other.frameWidth),
      backgroundColor(other.backgroundColor),
      frameColor(other.frameColor),
      cellColor(other.cellColor),
      cellFrameColor(other.cellFrameColor)
{
}

CGrid::~CGrid() = default;

CGrid::CellDrawer CGrid::ownDrawer()
{
    // Through the grid it is given, so that a copied grid draws its own cells.
    return [](CGrid* grid, CDrawContext* context, const Cell& cell, int column, int row) {
        grid->drawCell(grid, context, cell, column, row);
    };
}

void CGrid::setCellDrawer(CellDrawer drawer) { cellDrawer = drawer ? std::move(drawer) : ownDrawer(); }

template <typename T>
void CGrid::change(T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    setDirty(true);
}

void CGrid::setSpacing(const CPoint& gap) { change(spacing, gap); }
void CGrid::setFrameWidth(double width) { change(frameWidth, width); }
void CGrid::setBackgroundColor(const CColor& colour) { change(backgroundColor, colour); }
void CGrid::setFrameColor(const CColor& colour) { change(frameColor, colour); }
void CGrid::setCellColor(const CColor& colour) { change(cellColor, colour); }
void CGrid::setCellFrameColor(const CColor& colour) { change(cellFrameColor, colour); }

void CGrid::layoutCells()
{
    if (columns <= 0 || rows <= 0) {
        cells.clear();
        cellBounds = CRect();
        return;
    }
    cells.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    const double f = frameWidth;
    const double cellWidth = std::trunc((getWidth() - 2. * f - 1. + spacing.x) / columns - spacing.x);
    const double cellHeight = std::trunc((getHeight() - 2. * f - 1. + spacing.y) / rows - spacing.y);
    double y = size.top + f;
    for (int row = 0; row < rows; ++row) {
        double x = size.left + f;
        for (int column = 0; column < columns; ++column) {
            cell(row * columns + column).rect = CRect(x, y, x + cellWidth, y + cellHeight);
            x += cellWidth + spacing.x;
        }
        y += cellHeight + spacing.y;
    }
    cellBounds = CRect(cells.front().rect.left, cells.front().rect.top, cells.back().rect.right,
                       cells.back().rect.bottom);
}

int CGrid::cellAt(const CPoint& where) const
{
    if (cells.empty())
        return -1;
    // The cell pitch itself, not the bounds divided by the count, which falls short of it by a part
    // of the spacing and so would miss the right and bottom edges of the far cells.
    const double pitchX = cells.front().rect.getWidth() + spacing.x;
    const double pitchY = cells.front().rect.getHeight() + spacing.y;
    if (!(pitchX > 0.) || !(pitchY > 0.) || where.x < cellBounds.left || where.y < cellBounds.top)
        return -1;
    const double column = std::trunc((where.x - cellBounds.left) / pitchX);
    const double row = std::trunc((where.y - cellBounds.top) / pitchY);
    if (column >= columns || row >= rows)
        return -1;
    const int index = static_cast<int>(row) * columns + static_cast<int>(column);
    const CRect& rect = cells[static_cast<std::size_t>(index)].rect;
    const bool inside = rect.left <= where.x && where.x < rect.right && rect.top <= where.y && where.y < rect.bottom;
    return inside ? index : -1;
}

void CGrid::draw(CDrawContext* context)
{
    const CRect clip = context->getClipRect();
    if (clip.left > size.left || clip.right < size.right) {
        // A narrow repaint is most often one selected cell being redrawn; any other part is drawn
        // the full way below, so that a cell losing its highlight is never left stale.
        for (int index : selection) {
            if (index >= getCellCount() || cell(index).rect != clip)
                continue;
            drawBackground(context, clip);
            cellDrawer(this, context, cell(index), index % columns, index / columns);
            setDirty(false);
            return;
        }
    }
    drawBackground(context, size);
    drawCellsIn(context, clip);
    context->setClipRect(clip);
    setDirty(false);
}

void CGrid::drawCellsIn(CDrawContext* context, const CRect& clip)
{
    for (int index = 0; index < getCellCount(); ++index) {
        const Cell& each = cell(index);
        if (each.rect.top >= clip.bottom)
            break;
        if (each.rect.right <= clip.left || each.rect.left >= clip.right || each.rect.bottom <= clip.top)
            continue;
        CRect cellClip = each.rect;
        context->setClipRect(cellClip.bound(clip));
        cellDrawer(this, context, each, index % columns, index / columns);
    }
}

void CGrid::drawBackground(CDrawContext* context, const CRect& rect)
{
    context->setFillColor(backgroundColor);
    if (frameWidth != 0. && frameColor != kTransparentCColor && rect == size) {
        context->setFrameColor(frameColor);
        context->setLineWidth(frameWidth);
        context->drawRect(rect, kDrawFilledAndStroked);
    } else {
        context->drawRect(rect, kDrawFilled);
    }
}

void CGrid::drawCell(CGrid*, CDrawContext* context, const Cell& cell, int, int)
{
    const CColor fill = cell.color == kTransparentCColor ? cellColor : cell.color;
    if (cellFrameColor != kTransparentCColor) {
        context->setFrameColor(cellFrameColor);
        context->setLineWidth(frameWidth);
    }
    if (fill != kTransparentCColor) {
        context->setFillColor(fill);
        context->drawRect(cell.rect, kDrawFilledAndStroked);
    } else {
        context->drawRect(cell.rect, kDrawStroked);
    }
}

CMouseEventResult CGrid::onMouseDown(CPoint& where, const CButtonState& pressed)
{
    const int index = cellAt(where);
    if (index < 0)
        return kMouseEventNotHandled;
    selection = {index};
    if (listener) {
        buttons = pressed;
        listener->valueChanged(static_cast<CView*>(this), index);
        buttons = 0;
        invalidRect(cell(index).rect);
    }
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

CMouseEventResult CGrid::onMouseCancel()
{
    selection.clear();
    invalid();
    return kMouseEventHandled;
}

} // namespace korvel::gui

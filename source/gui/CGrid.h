#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cview.h"

#include <functional>
#include <set>
#include <vector>

namespace korvel::gui {

class IComplexControlListener;

// A grid of equal cells: draws them through a replaceable cell drawer and reports a click on a cell to
// its listener with the click's buttons. Cell i lies in row i / columns, column i % columns.
// GUI thread only.
class CGrid : public VSTGUI::CView {
public:
    struct Cell {
        virtual ~Cell() = default;

        VSTGUI::CRect rect; // in the grid's coordinates (its parent's)
        // Transparent white: drawn in the grid's cell colour.
        VSTGUI::CColor color = VSTGUI::kTransparentCColor;
        double value = 0.0; // the owner's mark; the grid never reads it
    };
    using CellDrawer = std::function<void(CGrid* grid, VSTGUI::CDrawContext* context, const Cell& cell, int column,
                                          int row)>;

    CGrid(const VSTGUI::CRect& size, IComplexControlListener* listener, int columns, int rows);
    CGrid(const CGrid& other);
    ~CGrid() override;

    VSTGUI::CView* newCopy() const override { return new CGrid(*this); }
    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseCancel() override;

    // Each setter marks the grid dirty when the value changes; spacing and frame width reach the
    // cells at the next layoutCells.
    virtual void setSpacing(const VSTGUI::CPoint& gap);
    virtual void setFrameWidth(double width);
    virtual void setBackgroundColor(const VSTGUI::CColor& colour);
    virtual void setFrameColor(const VSTGUI::CColor& colour);
    virtual void setCellColor(const VSTGUI::CColor& colour);
    virtual void setCellFrameColor(const VSTGUI::CColor& colour);
    virtual void drawBackground(VSTGUI::CDrawContext* context, const VSTGUI::CRect& rect);
    // The default cell drawer: fill and outline.
    virtual void drawCell(CGrid* grid, VSTGUI::CDrawContext* context, const Cell& cell, int column, int row);

    // Fits columns x rows cells into the view, inset by the frame width, spacing apart.
    void layoutCells();
    // An empty drawer puts back drawCell.
    void setCellDrawer(CellDrawer drawer);
    void setListener(IComplexControlListener* newListener) { listener = newListener; }

    int getColumns() const { return columns; }
    int getRows() const { return rows; }
    int getCellCount() const { return static_cast<int>(cells.size()); }
    Cell& cell(int index) { return cells.at(static_cast<std::size_t>(index)); }
    const Cell& cell(int index) const { return cells.at(static_cast<std::size_t>(index)); }
    const std::set<int>& getSelection() const { return selection; }
    // The buttons of the click being reported; 0 outside the listener call.
    VSTGUI::CButtonState getButtons() const { return buttons; }
    const VSTGUI::CRect& getCellBounds() const { return cellBounds; }
    const VSTGUI::CPoint& getSpacing() const { return spacing; }
    double getFrameWidth() const { return frameWidth; }
    const VSTGUI::CColor& getBackgroundColor() const { return backgroundColor; }
    const VSTGUI::CColor& getFrameColor() const { return frameColor; }
    const VSTGUI::CColor& getCellColor() const { return cellColor; }
    const VSTGUI::CColor& getCellFrameColor() const { return cellFrameColor; }

    // The cell whose rectangle holds `where` (a spacing gap holds none); -1 for none.
    int cellAt(const VSTGUI::CPoint& where) const;

private:
    static CellDrawer ownDrawer();
    void drawCellsIn(VSTGUI::CDrawContext* context, const VSTGUI::CRect& clip);
    template <typename T>
    void change(T& field, const T& value);

    int columns;
    int rows;
    std::vector<Cell> cells;
    std::set<int> selection;
    IComplexControlListener* listener;
    VSTGUI::CButtonState buttons;
    CellDrawer cellDrawer;
    VSTGUI::CRect cellBounds;
    VSTGUI::CPoint spacing;
    double frameWidth = 1.0;
    VSTGUI::CColor backgroundColor{255, 255, 255, 255};
    VSTGUI::CColor frameColor = VSTGUI::kTransparentCColor;
    VSTGUI::CColor cellColor{255, 255, 255, 255};
    VSTGUI::CColor cellFrameColor = VSTGUI::kTransparentCColor;
};

} // namespace korvel::gui

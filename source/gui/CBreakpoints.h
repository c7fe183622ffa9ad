#pragma once

#include "gui/CBreakpointsListener.h"
#include "gui/HostEditGesture.h"
#include "gui/TextSender.h"
#include "synth/ISynthParamListener.h"
#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cpoint.h"
#include "vstgui/lib/cview.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace korvel::gui {

// An envelope drawn as a polyline through a fixed number of points in the unit square (x to the right,
// y upwards), whose points the user drags. Its listener maps the points to parameters and names them; a
// constraint may adjust or refuse a point about to be set. A drag is one host edit gesture on each
// parameter the listener writes.
// GUI thread only.
class CBreakpoints : public VSTGUI::CView, public ITextSender, public veldro::ISynthParamListener {
public:
    // May adjust the point about to be set at `index`; false refuses the drag.
    using Constraint = std::function<bool(CBreakpoints* view, VSTGUI::CPoint& point, std::size_t index)>;

    enum ColourIndex { BACKGROUND = 0, FRAME = 1, LINE = 2, SELECTED = 3 };

    // Takes the listener and becomes its view.
    CBreakpoints(const VSTGUI::CRect& size, std::int32_t tag, std::unique_ptr<CBreakpointsListener> listener,
                 std::size_t pointCount);
    ~CBreakpoints() override;

    // Both also give the inset of the point area (frame width) and the corners (radius 0: square).
    virtual void setFrameWidth(double width);
    virtual void setRoundRectRadius(double radius);
    virtual void drawBackground(VSTGUI::CDrawContext* context);

    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseCancel() override;

    void setHandleSize(double size) { handleSize = size; }
    void setColour(ColourIndex index, const VSTGUI::CColor& colour);
    void setConstraint(Constraint newConstraint) { constraint = std::move(newConstraint); }

    std::int32_t getTag() const { return tag; }
    CBreakpointsListener* getListener() const { return listener.get(); }
    std::vector<VSTGUI::CPoint>& getPoints() { return points; }
    const std::vector<VSTGUI::CPoint>& getPoints() const { return points; }
    // -1 when no point is selected.
    int getSelected() const { return selected; }
    bool isDragging() const { return dragged != nullptr; }
    // Opens the host's edit gesture on parameter id for the rest of the drag; the listener calls it
    // before it writes id. Outside a drag nothing opens.
    void editParam(int id);

    // A change from elsewhere: any drag ends (with its edit gesture) and the view redraws.
    int getId() const override { return tag; }
    void paramChanged(std::uint32_t flags) override;

private:
    struct PointArea {
        double x0, x1, y0, y1;
    };
    PointArea pointArea() const;
    VSTGUI::CPoint toView(const VSTGUI::CPoint& point) const;
    VSTGUI::CPoint normalise(const VSTGUI::CPoint& where) const;
    int nearestPoint(const VSTGUI::CPoint& at) const;
    // The new x of the dragged point; moves the neighbour it overtakes. `pushed` gets that neighbour or -1.
    double pushNeighbours(double nx, int& pushed);
    void endDrag();

    const std::int32_t tag;
    std::vector<VSTGUI::CPoint> points;
    VSTGUI::CPoint* dragged = nullptr;
    VSTGUI::CPoint pointAtDown;
    VSTGUI::CPoint previous;
    int selected = -1;
    HostEditGesture gesture;
    Constraint constraint;
    std::unique_ptr<CBreakpointsListener> listener;
    double frameWidth = 0.0;
    double roundRectRadius = 0.0;
    double handleSize = 6.0;
    VSTGUI::CColor colours[4] = {VSTGUI::kWhiteCColor, VSTGUI::kWhiteCColor, VSTGUI::kWhiteCColor,
                                 VSTGUI::kWhiteCColor};
};

} // namespace korvel::gui

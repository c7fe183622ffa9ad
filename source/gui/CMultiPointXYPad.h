#pragma once

#include "gui/HostEditGesture.h"
#include "gui/IComplexControlListener.h"
#include "vstgui/lib/controls/cxypad.h"

#include <functional>
#include <vector>

namespace korvel::gui {

// An XY pad holding several points in the unit square, each drawn as a coloured handle; the user drags
// the point nearest to the mouse (Shift: a tenth as fast). The control value packs the dragged point's
// position as CXYPad does. Each change of the dragged point reaches the point listener with the point's
// index; Escape or a lost pointer grab puts the point back and reports that too. A drag is the host's
// edit gesture on the dragged point's parameters. GUI thread only.
class CMultiPointXYPad : public VSTGUI::CXYPad, public VSTGUI::IControlListener {
public:
    struct Point {
        // The parameters on the axes, for the pad's owner; the pad only carries them.
        VSTGUI::uint32 xParamId = 0;
        VSTGUI::uint32 yParamId = 0;
        // 0..1; 0 at the left and at the top.
        double x = 0.0;
        double y = 0.0;
        // The handle's size in pixels.
        double width = 0.0;
        double height = 0.0;
        // Transparent white stands for the first point's colour.
        VSTGUI::CColor color{255, 255, 255, 0};
    };
    // Paints behind the points; a result of 0 hides the points.
    using CustomDraw = std::function<int(CMultiPointXYPad* pad, VSTGUI::CDrawContext* context)>;

    CMultiPointXYPad(const VSTGUI::CRect& size, IComplexControlListener* pointListener, VSTGUI::int32 tag);
    ~CMultiPointXYPad() override;

    // Same look, tag, point listener and points; no custom drawing and no drag.
    VSTGUI::CView* newCopy() const override;
    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseCancel() override;
    // The host's edit gesture of a drag covers the dragged point's two parameters, not the pad's tag.
    void beginEdit() override;
    void endEdit() override;

    using VSTGUI::CXYPad::valueChanged;
    // The pad hears its own changes and passes them on with the dragged point's index.
    void valueChanged(VSTGUI::CControl* control) override;

    virtual void setPoints(const std::vector<Point>& newPoints);
    // Each coordinate limited to [0, 1], NaN counting as 1; an index out of range changes nothing.
    virtual void setPointPosition(int index, const VSTGUI::CPoint& position);
    // The dragged point, -1 between drags.
    virtual int getSelectedIndex() const { return selectedIndex; }
    // (0, 0) for an index out of range.
    virtual VSTGUI::CPoint getPointPosition(int index) const;
    // An empty point for an index out of range.
    virtual const Point& getPoint(int index) const;
    virtual void setPointColor(int index, const VSTGUI::CColor& colour);
    // Opaque white for an index out of range.
    virtual VSTGUI::CColor getPointColor(int index) const;
    virtual void setZoomFactor(float factor) { zoomFactor = factor; }
    virtual float getZoomFactor() const { return static_cast<float>(zoomFactor); }

    int getPointCount() const { return static_cast<int>(points.size()); }

    CustomDraw customDraw;

protected:
    CMultiPointXYPad(const CMultiPointXYPad& other);

    bool isValidIndex(int index) const { return index >= 0 && index < getPointCount(); }

private:
    // The point a press at `start` (pad coordinates) takes, or -1.
    int nearestPoint(const VSTGUI::CPoint& start) const;
    VSTGUI::CRect handleRect(const Point& point) const;
    static float packedPosition(const Point& point);

    IComplexControlListener* pointListener;
    std::vector<Point> points;
    int selectedIndex = -1;
    double zoomFactor = 10.0;
    // Where the dragged point was when the drag began, for a cancel.
    Point pointAtMouseDown;
    HostEditGesture gesture;
};

} // namespace korvel::gui

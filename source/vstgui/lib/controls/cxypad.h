#pragma once

#include "vstgui/lib/controls/cparamdisplay.h"

namespace VSTGUI {

// A two-axis pad whose single value packs x and y (thousandths each) in single precision.
// GUI thread only.
class CXYPad : public CParamDisplay {
public:
    explicit CXYPad(const CRect& size = CRect(0., 0., 0., 0.));

    // value = floor(x*1000+0.5)*0.001 + floor(y*1000+0.5)*1e-7, computed in float.
    static float calculateValue(float x, float y);
    // The exact inverse for values made by calculateValue.
    static void calculateXY(float value, float& x, float& y);

    void setStopTrackingOnMouseExit(bool state) { stopTrackingOnMouseExit = state; }
    bool getStopTrackingOnMouseExit() const { return stopTrackingOnMouseExit; }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;

protected:
    float mouseStartValue{0.f};
    CPoint mouseChangeStartPoint;
    CPoint lastMouseChangePoint;
    bool stopTrackingOnMouseExit{false};
};

} // namespace VSTGUI

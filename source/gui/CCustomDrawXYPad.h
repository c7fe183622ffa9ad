#pragma once

#include "vstgui/lib/controls/cxypad.h"

#include <functional>

namespace korvel::gui {

// An XY pad whose picture is drawn by a function behind a round handle; Shift slows the drag down.
// x and y share the control value as CXYPad packs them. GUI thread only.
class CCustomDrawXYPad : public VSTGUI::CXYPad {
public:
    using DrawFunction = std::function<void(VSTGUI::CXYPad* pad, VSTGUI::CDrawContext* context, double x, double y)>;

    // A null listener leaves the pad without one.
    CCustomDrawXYPad(const VSTGUI::CRect& rect, VSTGUI::IControlListener* listener, VSTGUI::int32 tag);
    ~CCustomDrawXYPad() override;

    VSTGUI::CView* newCopy() const override;
    void draw(VSTGUI::CDrawContext* context) override;
    // Only the left button alone drags (as the toolkit's pad takes presses); modifiers do not matter.
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;

    // Transparent white hides the handle; a corner radius of 0 hides it too (it is the handle's size).
    virtual void setHandleColour(VSTGUI::CColor colour);
    virtual VSTGUI::CColor getHandleColour() const;
    // How many times slower than the mouse the handle moves with Shift.
    virtual void setFineTuneFactor(float factor);
    virtual float getFineTuneFactor() const;

    void setDrawFunction(DrawFunction function) { drawFunction = std::move(function); }

    // The pad value of (x, y), each 0..1 in steps of 0.001, and back.
    static float encode(double x, double y);
    static void decode(float value, double& x, double& y);

private:
    DrawFunction drawFunction;
    VSTGUI::CColor handleColour{255, 255, 255, 255};
    float fineTuneFactor = 10.f;
};

} // namespace korvel::gui

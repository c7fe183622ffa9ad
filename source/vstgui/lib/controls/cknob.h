#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/controls/ccontrol.h"

#include <numbers>

namespace VSTGUI {

enum CKnobMode : int32 { kCircularMode = 0, kRelativCircularMode = 1, kLinearMode = 2 };

// A rotary control drawn as arcs. Angles in radians, clockwise from +x. GUI thread only.
class CKnob : public CControl {
public:
    enum DrawStyle : int32 {
        kCoronaDrawing = 1 << 1,
        kCoronaFromCenter = 1 << 2,
        kCoronaOutline = 1 << 5,
        kCoronaLineCapButt = 1 << 6,
        kSkipHandleDrawing = 1 << 7,
    };

    CKnob(const CRect& size, IControlListener* listener, int32 tag, CBitmap* background, CBitmap* handle,
          const CPoint& offset = CPoint(0., 0.), int32 drawStyle = 0);
    CKnob(const CKnob& other) = default;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    // Arrows step by the wheel increment (a tenth of it with Shift).
    int32 onKeyDown(VstKeyCode& keyCode) override;

    bool drawFocusOnTop() override;
    bool getFocusPath(CGraphicsPath& outPath) override;

    virtual void setStartAngle(float angle);
    float getStartAngle() const { return startAngle; }
    virtual void setRangeAngle(float angle);
    float getRangeAngle() const { return rangeAngle; }
    virtual void setZoomFactor(float factor) { zoomFactor = factor; }
    float getZoomFactor() const { return zoomFactor; }
    void setDrawStyle(int32 style);
    int32 getDrawStyle() const { return drawStyle; }
    void setHandleLineWidth(CCoord width);
    CCoord getHandleLineWidth() const { return handleLineWidth; }
    void setCoronaInset(CCoord inset);
    CCoord getCoronaInset() const { return coronaInset; }
    void setCoronaOutlineWidthAdd(CCoord add);
    CCoord getCoronaOutlineWidthAdd() const { return coronaOutlineWidthAdd; }
    virtual void setCoronaColor(const CColor& color);
    const CColor& getCoronaColor() const { return coronaColor; }
    virtual void setColorShadowHandle(const CColor& color);
    const CColor& getColorShadowHandle() const { return colorShadowHandle; }
    virtual void setColorHandle(const CColor& color);
    const CColor& getColorHandle() const { return colorHandle; }

protected:
    float valueFromPoint(const CPoint& where) const;
    CRect coronaRect() const;

    int32 drawStyle;
    float startAngle{static_cast<float>(3. * std::numbers::pi / 4.)};
    float rangeAngle{static_cast<float>(3. * std::numbers::pi / 2.)};
    float zoomFactor{1.5f};
    CCoord handleLineWidth{1.};
    CCoord coronaInset{0.};
    CCoord coronaOutlineWidthAdd{2.};
    CColor coronaColor{kWhiteCColor};
    CColor colorShadowHandle{kGreyCColor};
    CColor colorHandle{kWhiteCColor};

private:
    struct Drag {
        CPoint firstPoint;
        float entryValue{0.f};
        float startValue{0.f};
        CCoord range{200.};
        bool linear{false};
        bool shift{false};
    };
    Drag drag;
};

} // namespace VSTGUI

#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/controls/ccontrol.h"

namespace VSTGUI {

enum CSliderStyle : int32 {
    kHorizontal = 1 << 0,
    kVertical = 1 << 1,
    kLeft = 1 << 2,
    kRight = 1 << 3,
    kTop = 1 << 4,
    kBottom = 1 << 5,
};

// A bar slider: the value follows the pointer between minPos and maxPos (parent coordinates).
// GUI thread only.
class CSlider : public CControl {
public:
    using enum CSliderStyle;
    enum DrawStyle : int32 {
        kDrawFrame = 1 << 0,
        kDrawBack = 1 << 1,
        kDrawValue = 1 << 2,
        kDrawValueFromCenter = 1 << 3,
        kDrawInverted = 1 << 4,
    };

    CSlider(const CRect& size, IControlListener* listener, int32 tag, int32 minPos, int32 maxPos, CBitmap* handle,
            CBitmap* background, const CPoint& offset = CPoint(0., 0.), int32 style = kLeft | kHorizontal);
    CSlider(const CSlider& other) = default;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;

    int32 getStyle() const { return style; }
    void setDrawStyle(int32 newStyle);
    int32 getDrawStyle() const { return drawStyle; }
    virtual void setFrameWidth(CCoord width);
    CCoord getFrameWidth() const { return frameWidth; }
    // Where the value is drawn as a bar, in the parent's coordinates.
    CRect valueBarRect() const;
    virtual void setFrameColor(const CColor& color);
    const CColor& getFrameColor() const { return frameColor; }
    virtual void setBackColor(const CColor& color);
    const CColor& getBackColor() const { return backColor; }
    virtual void setValueColor(const CColor& color);
    const CColor& getValueColor() const { return valueColor; }
    // Shift divides pointer movement by this.
    virtual void setZoomFactor(float factor) { zoomFactor = factor; }
    float getZoomFactor() const { return zoomFactor; }

protected:
    bool isHorizontal() const { return (style & kVertical) == 0; }
    // The pointer's position along the slider, 0 at the minimum end.
    float positionOf(const CPoint& where) const;

    int32 style;
    int32 drawStyle{kDrawFrame | kDrawBack | kDrawValue};
    CCoord minPos;
    CCoord maxPos;
    float zoomFactor{10.f};
    CCoord frameWidth{1.};
    CColor frameColor{kGreyCColor};
    CColor backColor{kBlackCColor};
    CColor valueColor{kWhiteCColor};

private:
    float startValue{0.f};
    float lastPosition{0.f};
};

} // namespace VSTGUI

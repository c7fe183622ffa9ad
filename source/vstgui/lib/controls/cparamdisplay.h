#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cdrawdefs.h"
#include "vstgui/lib/cfont.h"
#include "vstgui/lib/controls/ccontrol.h"

namespace VSTGUI {

// Style bits of CParamDisplay and the controls built on it.
enum CParamDisplayStyle : int32 {
    kShadowText = 1 << 0,
    k3DIn = 1 << 1,
    k3DOut = 1 << 2,
    kNoTextStyle = 1 << 3,
    kNoDrawStyle = 1 << 4,
    kRoundRectStyle = 1 << 5,
    kNoFrame = 1 << 6,
    kPopupStyle = 1 << 8,
    kCheckStyle = 1 << 9,
};

// A control drawn as a (rounded) box; the base of the XY pad and the option menu. GUI thread only.
class CParamDisplay : public CControl {
public:
    explicit CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32 style = 0);
    CParamDisplay(const CParamDisplay& other) = default;

    void draw(CDrawContext* context) override;
    // The box: back colour fill, frame colour stroke (not for kNoFrame, 3D styles or width 0).
    virtual void drawBack(CDrawContext* context, CBitmap* newBack = nullptr);

    virtual void setFont(CFontRef newFont);
    CFontRef getFont() const { return font; }
    virtual void setFontColor(const CColor& color);
    const CColor& getFontColor() const { return fontColor; }
    virtual void setBackColor(const CColor& color);
    const CColor& getBackColor() const { return backColor; }
    virtual void setFrameColor(const CColor& color);
    const CColor& getFrameColor() const { return frameColor; }
    virtual void setShadowColor(const CColor& color);
    const CColor& getShadowColor() const { return shadowColor; }
    virtual void setHoriAlign(CHoriTxtAlign align);
    CHoriTxtAlign getHoriAlign() const { return horiAlign; }
    virtual void setStyle(int32 newStyle);
    int32 getStyle() const { return style; }
    virtual void setRoundRectRadius(CCoord radius);
    CCoord getRoundRectRadius() const { return roundRectRadius; }
    virtual void setFrameWidth(CCoord width);
    CCoord getFrameWidth() const { return frameWidth; }

protected:
    bool drawsFrame() const;

    SharedPointer<CFontDesc> font;
    CColor fontColor{kWhiteCColor};
    CColor backColor{kBlackCColor};
    CColor frameColor{kBlackCColor};
    CColor shadowColor{kRedCColor};
    CHoriTxtAlign horiAlign{kCenterText};
    int32 style;
    CCoord roundRectRadius{6.};
    CCoord frameWidth{1.};
};

} // namespace VSTGUI

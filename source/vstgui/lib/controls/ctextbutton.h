#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cdrawdefs.h"
#include "vstgui/lib/cfont.h"
#include "vstgui/lib/cgradient.h"
#include "vstgui/lib/controls/ccontrol.h"

namespace VSTGUI {

// A rounded, gradient-filled button with a title; lit while its value is above 0.5.
// Kick style reports max then min on a release inside; on/off style toggles. GUI thread only.
class CTextButton : public CControl {
public:
    enum Style { kKickStyle = 0, kOnOffStyle };

    CTextButton(const CRect& size, IControlListener* listener = nullptr, int32 tag = -1,
                UTF8StringPtr title = nullptr, Style style = kKickStyle);
    CTextButton(const CTextButton& other) = default;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool getFocusPath(CGraphicsPath& outPath) override;

    virtual void setTitle(const UTF8String& newTitle);
    const UTF8String& getTitle() const { return title; }
    virtual void setFont(CFontRef newFont);
    CFontRef getFont() const { return font; }
    virtual void setTextColor(const CColor& color);
    const CColor& getTextColor() const { return textColor; }
    virtual void setTextColorHighlighted(const CColor& color);
    const CColor& getTextColorHighlighted() const { return textColorHighlighted; }
    virtual void setGradient(CGradient* newGradient);
    CGradient* getGradient() const { return gradient; }
    virtual void setGradientHighlighted(CGradient* newGradient);
    CGradient* getGradientHighlighted() const { return gradientHighlighted; }
    virtual void setFrameColor(const CColor& color);
    const CColor& getFrameColor() const { return frameColor; }
    virtual void setFrameColorHighlighted(const CColor& color);
    const CColor& getFrameColorHighlighted() const { return frameColorHighlighted; }
    virtual void setFrameWidth(CCoord width);
    CCoord getFrameWidth() const { return frameWidth; }
    virtual void setRoundRadius(CCoord radius);
    CCoord getRoundRadius() const { return roundRadius; }
    virtual void setStyle(Style newStyle);
    Style getStyle() const { return style; }
    virtual void setTextAlignment(CHoriTxtAlign align);
    CHoriTxtAlign getTextAlignment() const { return textAlignment; }
    virtual void setTextMargin(CCoord margin);
    CCoord getTextMargin() const { return textMargin; }

protected:
    bool isLit() const { return getValue() > 0.5f; }
    CRect buttonRect() const;
    // The title as drawn into `width`: shortened with "…" when it is longer. The context already holds
    // the title's font and colour, which an override may adjust.
    virtual UTF8String titleToDraw(CDrawContext& context, CCoord width);

    UTF8String title;
    SharedPointer<CFontDesc> font;
    CColor textColor{kBlackCColor};
    CColor textColorHighlighted{kWhiteCColor};
    SharedPointer<CGradient> gradient;
    SharedPointer<CGradient> gradientHighlighted;
    CColor frameColor{kBlackCColor};
    CColor frameColorHighlighted{kBlackCColor};
    CCoord frameWidth{1.};
    CCoord roundRadius{6.};
    CCoord textMargin{0.};
    CHoriTxtAlign textAlignment{kCenterText};
    Style style;

private:
    float entryValue{0.f};
};

} // namespace VSTGUI

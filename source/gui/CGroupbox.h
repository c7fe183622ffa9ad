#pragma once

#include "gui/TextSender.h"
#include "vstgui/lib/cfont.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/cviewcontainer.h"

#include <string>

namespace korvel::gui {

// A titled group of views: a rounded frame below a title tab, optionally with a status strip (a text
// display at the bottom of its content area). GUI thread only.
class CGroupbox : public VSTGUI::CViewContainer {
public:
    // A null font gives the 14-point "Arial".
    CGroupbox(const VSTGUI::CRect& size, std::string title, VSTGUI::CFontDesc* font = nullptr);
    CGroupbox(const CGroupbox& other);
    ~CGroupbox() override;

    VSTGUI::CView* newCopy() const override { return new CGroupbox(*this); }
    void drawBackgroundRect(VSTGUI::CDrawContext* context, const VSTGUI::CRect& rect) override;

    // The area inside the frame and below the title, in the box's own coordinates.
    VSTGUI::CRect getContentRect() const;
    void setFrameColor(const VSTGUI::CColor& colour);
    const VSTGUI::CColor& getFrameColor() const { return frameColor; }
    const std::string& getTitle() const { return title; }
    VSTGUI::CFontDesc* getFont() const { return font; }
    VSTGUI::CCoord getFrameWidth() const { return frameWidth; }
    VSTGUI::CCoord getCornerRadius() const { return cornerRadius; }

    // The box's status display, or null.
    ITextReceiver* getStatusReceiver() const { return statusReceiver; }
    void setStatusReceiver(ITextReceiver* receiver) { statusReceiver = receiver; }

private:
    // Made at the first draw and kept, also when the box changes size.
    VSTGUI::CGraphicsPath* framePathFor(VSTGUI::CDrawContext& context);

    const VSTGUI::CCoord frameWidth;
    const VSTGUI::CCoord cornerRadius;
    VSTGUI::CColor frameColor = VSTGUI::kWhiteCColor;
    std::string title;
    VSTGUI::SharedPointer<VSTGUI::CFontDesc> font;
    ITextReceiver* statusReceiver = nullptr;
    VSTGUI::SharedPointer<VSTGUI::CGraphicsPath> framePath;
};

} // namespace korvel::gui

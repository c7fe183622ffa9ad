#pragma once

#include "synth/Scaling.h"
#include "synth/ValueFormat.h"
#include "vstgui/lib/cfont.h"
#include "vstgui/lib/controls/cslider.h"

#include <string>

namespace korvel::gui {

// A slider that prints its value (through an optional Scaling) inside itself and steps it from the
// keyboard. GUI thread only.
class CTextSlider : public VSTGUI::CSlider {
public:
    // An empty format prints nothing.
    CTextSlider(const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, VSTGUI::int32 tag,
                const std::string& format, VSTGUI::int32 minPos, VSTGUI::int32 maxPos);
    ~CTextSlider() override;

    void draw(VSTGUI::CDrawContext* context) override;
    // 2 (not used) when the key leaves the value as it is.
    VSTGUI::int32 onKeyDown(VstKeyCode& keyCode) override;

    virtual void setFormat(const char* text);
    virtual void setFont(VSTGUI::CFontDesc* newFont);
    virtual void setTextColor(VSTGUI::CColor colour);

    // Not owned. A range reaching below zero draws the value bar from the centre.
    void setScaling(const Scaling* newScaling);
    const Scaling* getScaling() const { return scaling; }
    const veldro::ValueFormat& getFormat() const { return format; }
    VSTGUI::CFontDesc* getFont() const { return font; }
    VSTGUI::CColor getTextColor() const { return textColor; }

private:
    // The control value in the parameter's units.
    double displayedValue() const;

    veldro::ValueFormat format;
    VSTGUI::CColor textColor = VSTGUI::kWhiteCColor;
    VSTGUI::SharedPointer<VSTGUI::CFontDesc> font;
    const Scaling* scaling = nullptr;
};

} // namespace korvel::gui

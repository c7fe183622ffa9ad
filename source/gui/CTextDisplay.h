#pragma once

#include "gui/TextSender.h"
#include "vstgui/lib/controls/ctextbutton.h"

#include <optional>
#include <string>

namespace korvel::gui {

// A one-line status display: shows each received text after a fixed label, in the received colour or,
// for transparent white, in its own default colour; a text longer than the display is shortened by its
// words, keeping its numbers and their units whole (fitValueText).
// GUI thread only.
class CTextDisplay : public VSTGUI::CTextButton, public ITextReceiver {
public:
    CTextDisplay(const VSTGUI::CRect& size, const VSTGUI::UTF8String& label);
    CTextDisplay(const CTextDisplay& other);
    ~CTextDisplay() override;

    VSTGUI::CView* newCopy() const override { return new CTextDisplay(*this); }
    // Also the default colour of the texts that follow.
    void setTextColor(const VSTGUI::CColor& colour) override;
    void receiveText(const VSTGUI::UTF8String& text, VSTGUI::CColor colour) override;

    // A non-empty label gets a trailing blank; the display then shows the label alone.
    void setLabel(const VSTGUI::UTF8String& text);
    const VSTGUI::UTF8String& getLabel() const { return label; }
    const VSTGUI::CColor& getDefaultColor() const { return defaultColor; }

protected:
    // A shortened text shows whole in the tooltip, in place of the display's own tooltip until it fits;
    // a colour too close to the display's background is drawn darker or lighter.
    VSTGUI::UTF8String titleToDraw(VSTGUI::CDrawContext& context, VSTGUI::CCoord width) override;

private:
    void showWholeTitleInTooltip(bool shortened);

    VSTGUI::UTF8String label;
    VSTGUI::CColor defaultColor = VSTGUI::kWhiteCColor;
    bool tooltipShowsTitle = false;
    std::optional<std::string> ownTooltip; // while the tooltip shows the title
};

} // namespace korvel::gui

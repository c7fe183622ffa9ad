#include "gui/TextSender.h"

#include <exception>

namespace korvel::gui {

bool ITextSender::sendText(const VSTGUI::UTF8String& text, VSTGUI::CColor colour) const
{
    if (!textReceiver)
        return false;
    try {
        textReceiver->receiveText(text, colour);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace korvel::gui

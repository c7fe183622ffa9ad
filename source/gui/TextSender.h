#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cstring.h"

// Status texts: views post one-line messages to a status display. GUI thread only (a receiver is a view).
namespace korvel::gui {

class ITextReceiver {
public:
    virtual ~ITextReceiver() = default;
    // Transparent white (255, 255, 255, 0), and only that colour, asks for the receiver's own text colour.
    virtual void receiveText(const VSTGUI::UTF8String& text, VSTGUI::CColor colour) = 0;
};

// A view's outlet for status texts; it has no receiver until one is set.
class ITextSender {
public:
    virtual ~ITextSender() = default;

    void setTextReceiver(ITextReceiver* receiver) { textReceiver = receiver; }
    ITextReceiver* getTextReceiver() const { return textReceiver; }

    // False without a receiver, or when the receiver failed (its exception is dropped: a status text
    // must never break the action that reports it).
    bool sendText(const VSTGUI::UTF8String& text, VSTGUI::CColor colour) const;

private:
    ITextReceiver* textReceiver = nullptr;
};

} // namespace korvel::gui

#include "vstgui/lib/platform/x11/x11errortrap.h"

namespace VSTGUI::X11 {

namespace {

// The handler is process-wide; errors of other connections (the host's) go on to the previous one.
Display* trappedDisplay = nullptr;
XErrorHandler previousHandler = nullptr;
int depth = 0;
unsigned long errorCount = 0;

int recordError(Display* display, XErrorEvent* error)
{
    if (display == trappedDisplay) {
        ++errorCount;
        return 0;
    }
    return previousHandler ? previousHandler(display, error) : 0;
}

} // namespace

XErrorTrap::XErrorTrap(Display* display) : display(display), errorsBefore(errorCount)
{
    if (depth++ == 0) {
        trappedDisplay = display;
        previousHandler = XSetErrorHandler(recordError);
    }
}

XErrorTrap::~XErrorTrap()
{
    XSync(display, False);
    if (--depth == 0) {
        XSetErrorHandler(previousHandler);
        trappedDisplay = nullptr;
    }
}

bool XErrorTrap::failed()
{
    XSync(display, False);
    return errorCount != errorsBefore;
}

} // namespace VSTGUI::X11

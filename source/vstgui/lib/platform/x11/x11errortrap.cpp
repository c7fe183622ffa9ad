#include "vstgui/lib/platform/x11/x11errortrap.h"

namespace VSTGUI::X11 {

namespace {

// The handler is process-wide; errors of other connections (the host's) go on to the previous one.
Display *trappedDisplay = nullptr;
XErrorHandler forwardHandler = nullptr;
bool errorSeen = false;

int recordError(Display *display, XErrorEvent *error)
{
    if (display == trappedDisplay) {
        errorSeen = true;
        return 0;
    }
    return forwardHandler ? forwardHandler(display, error) : 0;
}

} // namespace

XErrorTrap::XErrorTrap(Display *display) : display(display)
{
    XSync(display, False);
    trappedDisplay = display;
    errorSeen = false;
    previousHandler = XSetErrorHandler(recordError);
    forwardHandler = previousHandler;
}

XErrorTrap::~XErrorTrap()
{
    XSync(display, False);
    XSetErrorHandler(previousHandler);
    trappedDisplay = nullptr;
}

bool XErrorTrap::failed()
{
    XSync(display, False);
    return errorSeen;
}

} // namespace VSTGUI::X11

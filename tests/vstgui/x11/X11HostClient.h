#pragma once

// The host's side of a frame embedded in a real X window: a second client of a private Xvfb that owns
// the parent window and sends the input a host's window would pass on.

#include "XvfbServer.h"

#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

namespace x11_testing {

class X11HostClient {
public:
    // Connects to the server and makes it the default display (where a frame opens) while it lives.
    explicit X11HostClient(const XvfbServer& server);
    ~X11HostClient();
    X11HostClient(const X11HostClient&) = delete;
    X11HostClient& operator=(const X11HostClient&) = delete;

    bool connected() const { return display != nullptr; }
    Display* getDisplay() const { return display; }

    // A top-level window at the screen's origin, returned once the server has mapped it and it is viewable;
    // None when that does not happen within a generous bound.
    Window makeWindow(int width, int height);
    // The window's only child (a frame opened on it), else None.
    Window childOf(Window parent);
    // The window's only child once it is mapped and viewable (a frame ready for input), else None.
    Window shownChildOf(Window parent);
    bool viewable(Window window);
    // Waits until the window has no child left (a frame closed on it); false after a generous bound.
    bool waitUntilChildless(Window parent);
    // 0xRRGGBB of one pixel, or ~0 when it cannot be read.
    unsigned long pixelAt(Window window, int x, int y);

    void button(Window window, int type, int x, int y, unsigned int state, unsigned int which = Button1);
    void motion(Window window, int x, int y, unsigned int state = Button1Mask);
    void key(Window window, KeySym keySym, unsigned int state = 0);
    // Returns once the server has delivered the event: a window destroyed afterwards cannot fail the
    // request, and the receiver's next pump of its connection handles it.
    void send(Window window, XEvent event, long mask);

    Atom atom(const char* name);

    // XDND as the drag source: `source`, a window of this client, owns the selection and hands out `uris`
    // when the drop target asks for them.
    void offerDrag(Window source, const std::string& uris);
    // An XDND message from `source` to `target`, data.l[1..4] as given.
    void sendXdnd(Window source, Window target, const char* type, long l1, long l2, long l3, long l4);
    // The latest XDND message of `type` the drop target sent back, else nullptr.
    const XClientMessageEvent* answer(const char* type);
    void clearAnswers() { answers.clear(); }

    // Runs `idle` (the host's timer) and this client's events until `done`; false after `rounds` rounds
    // of up to 10 ms each.
    bool pumpUntil(const std::function<void()>& idle, const std::function<bool()>& done, int rounds = 500);

private:
    // Handles the events sent to this client (the drop target's requests and answers), then waits up to
    // ms for more to arrive.
    void drainAndWait(int ms);
    // Waits for this client's connection until `done`, leaving its events queued; false after a generous bound.
    bool waitFor(const std::function<bool()>& done);
    void answerSelectionRequest(const XSelectionRequestEvent& request);

    Display* display = nullptr;
    std::string offeredUris;
    std::vector<XClientMessageEvent> answers;
    std::string savedDisplay;
    bool hadDisplay = false;
};

} // namespace x11_testing

#pragma once

#include "vstgui/lib/cpoint.h"
#include "vstgui/lib/vstguibase.h"

#include <string>

namespace VSTGUI {

class CFrame;
class CView;
class TooltipOverlay;

// Shows the 'cvtt' text of the view under a resting pointer after a delay. GUI thread only.
class FrameTooltip {
public:
    explicit FrameTooltip(CFrame& frame);
    ~FrameTooltip();

    void enable(bool state, uint32 delayMs);
    bool isEnabled() const { return enabled; }
    // Frame coordinates; a move onto another view hides a shown tooltip and restarts the delay.
    void pointerMoved(const CPoint& where, uint32 now);
    void pointerLeft();
    // Also keeps the tooltip away until the pointer next moves.
    void hide();
    // Shows the tooltip once the pointer has rested for the delay.
    void poll(uint32 now);
    std::string shownText() const;

private:
    CView* viewWithTooltipAt(const CPoint& where) const;

    CFrame& frame;
    bool enabled{false};
    uint32 delay{1000};
    bool pointerInside{false};
    bool waitingForMove{false};
    CPoint pointer;
    uint32 restingSince{0};
    CView* hoveredView{nullptr}; // compared only, never dereferenced
    SharedPointer<TooltipOverlay> overlay;
};

} // namespace VSTGUI

#include "gui/CBreakpointsListener.h"

#include "gui/CBreakpoints.h"

namespace korvel::gui {

CBreakpointsListener::CBreakpointsListener(std::unique_ptr<Scaling> xScaling, std::unique_ptr<Scaling> yScaling,
                                           std::uint8_t linksItself, std::uint32_t listenMask)
    : xScaling(std::move(xScaling)), yScaling(std::move(yScaling)), linksItself(linksItself),
      guiThread(std::this_thread::get_id())
{
    mask = listenMask;
}

CBreakpointsListener::~CBreakpointsListener() = default;

void CBreakpointsListener::paramChanged(std::uint32_t flags)
{
    if (std::this_thread::get_id() == guiThread)
        refreshView(flags);
    else
        pendingFlags.fetch_or(flags | PENDING, std::memory_order_acq_rel);
}

void CBreakpointsListener::applyPendingUpdate()
{
    const std::uint32_t flags = pendingFlags.exchange(0, std::memory_order_acq_rel);
    if (flags & PENDING)
        refreshView(flags & ~PENDING);
}

void CBreakpointsListener::refreshView(std::uint32_t flags)
{
    if (!view)
        return;
    // The points move under the pointer: a drag in progress ends here.
    view->paramChanged(flags);
    showParams();
}

} // namespace korvel::gui

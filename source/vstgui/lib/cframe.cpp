#include "vstgui/lib/cframe.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe_internal.h"
#include "vstgui/lib/ctooltip.h"
#include "vstgui/lib/frameoverlay.h"
#include "vstgui/lib/invalidregion.h"
#include "vstgui/lib/platform/backbuffer.h"
#include "vstgui/lib/platform/iplatformframe.h"

#include "utility/Win32Compat.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CFrame::CFrame(const CRect& size, VSTGUIEditorInterface* editor)
    : CViewContainer(CRect(0., 0., size.getWidth(), size.getHeight())),
      editor(editor),
      invalidRegion(std::make_unique<InvalidRegion>()),
      mouse(std::make_unique<MouseTracking>()),
      drag(std::make_unique<DragTracking>()),
      tooltip(std::make_unique<FrameTooltip>(*this)),
      tasks(std::make_unique<TaskQueue>()),
      guiThread(std::this_thread::get_id())
{
    setParentAndFrame(nullptr, this);
}

CFrame::~CFrame()
{
    close();
}

bool CFrame::open(void* parentWindow, PlatformType type)
{
    if (platform)
        return true;
    guiThread = std::this_thread::get_id();
    if (!parentWindow || type == PlatformType::kOffscreen)
        platform = createOffscreenPlatformFrame(*this);
    else
        platform = createX11PlatformFrame(*this, parentWindow, getViewSize());
    if (!platform)
        return false;
    backBuffer = std::make_unique<BackBuffer>(static_cast<int>(std::ceil(getWidth())),
                                              static_cast<int>(std::ceil(getHeight())));
    invalid();
    return true;
}

void CFrame::close()
{
    tooltip->hide();
    dismissOverlays();
    drag = std::make_unique<DragTracking>();
    setFocusView(nullptr);
    removeAll();
    if (platform) {
        platform->close();
        platform.reset();
    }
}

void CFrame::idle()
{
    if (inIdle || !platform)
        return;
    inIdle = true;
    try {
        runPostedTasks();
        platform->pumpEvents();
        invalidateDirtyViews();
        tooltip->poll(getTicks());
        paintInvalidRects();
    } catch (...) {
        // A view's exception must not unwind into the host.
    }
    inIdle = false;
}

uint32 CFrame::getTicks() const
{
    return korvel::win32::GetTickCount();
}

int32 CFrame::getKnobMode() const
{
    const int32 mode = editor ? editor->getKnobMode() : -1;
    return mode < 0 ? 0 : mode;
}

void CFrame::beginEdit(int32 tag)
{
    if (editor)
        editor->beginEdit(tag);
}

void CFrame::endEdit(int32 tag)
{
    if (editor)
        editor->endEdit(tag);
}

void CFrame::setCursor(CCursorType type)
{
    cursor = type;
    if (platform)
        platform->setCursor(type);
}

void CFrame::postToGuiThread(std::function<void()> task)
{
    tasks->push(std::move(task));
}

void CFrame::runPostedTasks()
{
    for (auto& task : tasks->takeAll())
        task();
}

bool CFrame::isGuiThread() const
{
    return std::this_thread::get_id() == guiThread;
}

// ---- painting

void CFrame::invalidRect(const CRect& rect)
{
    if (!isGuiThread()) {
        setDirty(true);
        return;
    }
    CRect bounded = rect;
    bounded.bound(getViewSize());
    invalidRegion->add(bounded);
}

namespace {

void invalidateDirtyTree(CView* view)
{
    if (!view->isVisible())
        return;
    if (view->isDirty()) {
        view->invalid();
        return;
    }
    if (auto* container = dynamic_cast<CViewContainer*>(view))
        for (CView* child : container->getChildren())
            invalidateDirtyTree(child);
}

CRect pixelBounds(CRect rect)
{
    return CRect(std::floor(rect.left), std::floor(rect.top), std::ceil(rect.right), std::ceil(rect.bottom));
}

} // namespace

void CFrame::invalidateDirtyViews()
{
    invalidateDirtyTree(this);
}

const std::vector<CRect>& CFrame::getInvalidRects() const
{
    return invalidRegion->rects();
}

void CFrame::paintInvalidRects()
{
    if (!backBuffer || invalidRegion->empty())
        return;
    std::vector<CRect> painted;
    auto context = backBuffer->createDrawContext();
    for (const CRect& rect : invalidRegion->take()) {
        // Whole pixels, so no partly covered pixel is blended twice.
        CRect paint = pixelBounds(rect);
        paint.bound(getViewSize());
        if (paint.isEmpty())
            continue;
        backBuffer->clear(paint);
        context->beginPaint(paint);
        drawRect(context.get(), paint);
        painted.push_back(paint);
    }
    platform->present(backBuffer->surface(), painted);
}

void CFrame::drawRect(CDrawContext* context, const CRect& updateRect)
{
    CViewContainer::drawRect(context, updateRect);
    for (FrameOverlay* overlay : overlays) {
        if (!overlay->getBounds().rectOverlap(updateRect))
            continue;
        context->saveGlobalState();
        context->setClipRect(updateRect);
        overlay->draw(context);
        context->restoreGlobalState();
    }
}

bool CFrame::writePNG(const std::string& path) const
{
    return backBuffer && backBuffer->writePNG(path);
}

CColor CFrame::getPixel(int x, int y) const
{
    return backBuffer ? backBuffer->getPixel(x, y) : CColor(0, 0, 0, 0);
}

// ---- focus

void CFrame::invalidateFocusArea(CView* view)
{
    if (!view)
        return;
    CRect area = view->getViewSize();
    // Antialiasing spreads the ring's outer edge into one more pixel.
    area.extend(focusWidth + 1., focusWidth + 1.);
    CPoint origin = area.getTopLeft();
    view->localToFrame(origin);
    area.moveTo(origin);
    invalidRect(area);
}

void CFrame::setFocusView(CView* view)
{
    if (view == focusView)
        return;
    invalidateFocusArea(focusView);
    focusView = view;
    invalidateFocusArea(focusView);
}

void CFrame::collectFocusable(CView* view, std::vector<CView*>& out) const
{
    if (!view->isVisible() || !view->getMouseEnabled())
        return;
    if (view != this && view->wantsFocus())
        out.push_back(view);
    if (auto* container = dynamic_cast<CViewContainer*>(view))
        for (CView* child : container->getChildren())
            collectFocusable(child, out);
}

bool CFrame::advanceNextFocusView(CView* oldFocus, bool reverse)
{
    std::vector<CView*> focusable;
    collectFocusable(this, focusable);
    if (focusable.empty())
        return false;
    auto found = std::find(focusable.begin(), focusable.end(), oldFocus);
    std::size_t next;
    if (found == focusable.end())
        next = reverse ? focusable.size() - 1 : 0;
    else {
        const std::size_t index = static_cast<std::size_t>(found - focusable.begin());
        next = reverse ? (index + focusable.size() - 1) % focusable.size() : (index + 1) % focusable.size();
    }
    setFocusView(focusable[next]);
    return true;
}

void CFrame::setFocusDrawingEnabled(bool state)
{
    if (focusDrawing == state)
        return;
    focusDrawing = state;
    invalidateFocusArea(focusView);
}

void CFrame::setFocusColor(const CColor& color)
{
    if (focusColor == color)
        return;
    focusColor = color;
    invalidateFocusArea(focusView);
}

void CFrame::setFocusWidth(CCoord width)
{
    if (focusWidth == width)
        return;
    invalidateFocusArea(focusView);
    focusWidth = width;
    invalidateFocusArea(focusView);
}

// ---- tooltips and overlays

void CFrame::enableTooltips(bool state, uint32 delayMs)
{
    tooltip->enable(state, delayMs);
}

std::string CFrame::getShownTooltip() const
{
    return tooltip->shownText();
}

void CFrame::showOverlay(FrameOverlay* overlay)
{
    if (!overlay || std::find(overlays.begin(), overlays.end(), overlay) != overlays.end())
        return;
    overlay->remember();
    overlays.push_back(overlay);
    invalidRect(overlay->getBounds());
}

void CFrame::hideOverlay(FrameOverlay* overlay)
{
    auto found = std::find(overlays.begin(), overlays.end(), overlay);
    if (found == overlays.end())
        return;
    overlays.erase(found);
    invalidRect(overlay->getBounds());
    overlay->dismissed();
    overlay->forget();
}

FrameOverlay* CFrame::getTopOverlay() const
{
    return overlays.empty() ? nullptr : overlays.back();
}

FrameOverlay* CFrame::modalOverlay() const
{
    for (auto it = overlays.rbegin(); it != overlays.rend(); ++it)
        if ((*it)->isModal())
            return *it;
    return nullptr;
}

void CFrame::dismissOverlays()
{
    while (!overlays.empty())
        hideOverlay(overlays.back());
}

void CFrame::serviceWhileModal()
{
    if (!platform)
        return;
    try {
        platform->pumpEvents();
        invalidateDirtyViews();
        paintInvalidRects();
        if (editor)
            editor->doIdleStuff();
    } catch (...) {
        // As in idle: a view's exception must neither end the dialog nor leave the frame modal.
    }
}

} // namespace VSTGUI

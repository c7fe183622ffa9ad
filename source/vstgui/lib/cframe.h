#pragma once

#include "vstgui/lib/ccursortype.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/lib/vstguieditorinterface.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace VSTGUI {

class BackBuffer;
class IPlatformFrame;
class FrameOverlay;
class FrameTooltip;
class InvalidRegion;

enum class PlatformType {
    kX11EmbedWindowID, // a child of the X11 window whose id is passed to open()
    kDefaultNative = kX11EmbedWindowID,
    kOffscreen,        // an image only, for tests and snapshots
};

// The root of a view tree, bound to a window (or an offscreen image). The frame's rect starts at 0, 0:
// frame coordinates are its local coordinates.
// GUI thread only (the thread that calls open), except postToGuiThread and the calls CView allows.
class CFrame : public CViewContainer {
public:
    CFrame(const CRect& size, VSTGUIEditorInterface* editor);
    ~CFrame() override;

    // ---- window
    // Offscreen for a null parent or PlatformType::kOffscreen; false when the window cannot be made.
    bool open(void* parentWindow, PlatformType type = PlatformType::kDefaultNative);
    // Shuts the window, dismisses overlays and removes the views; the editor still forgets the frame.
    void close();
    bool isOpen() const { return platform != nullptr; }
    // Posted tasks, window events, the dirty-view sweep, tooltip and dialog polling, then paint.
    void idle();
    uint32 getTicks() const;
    VSTGUIEditorInterface* getEditor() const { return editor; }
    // 0 circular, 2 linear.
    int32 getKnobMode() const;
    void beginEdit(int32 tag);
    void endEdit(int32 tag);
    void setCursor(CCursorType type);
    CCursorType getCursor() const { return cursor; }

    // ---- any thread: runs `task` on the GUI thread at the next idle
    void postToGuiThread(std::function<void()> task);

    // ---- painting
    void invalidRect(const CRect& rect) override;
    // Invalidates every view whose dirty flag (or changed value) is set.
    void invalidateDirtyViews();
    // Repaints the queued rects now (idle does this).
    void paintInvalidRects();
    const std::vector<CRect>& getInvalidRects() const;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;

    // ---- focus
    void setFocusView(CView* view);
    CView* getFocusView() const { return focusView; }
    bool advanceNextFocusView(CView* oldFocus, bool reverse = false);
    void setFocusDrawingEnabled(bool state);
    bool focusDrawingEnabled() const { return focusDrawing; }
    void setFocusColor(const CColor& color);
    CColor getFocusColor() const { return focusColor; }
    void setFocusWidth(CCoord width);
    CCoord getFocusWidth() const { return focusWidth; }
    // The view's rect with its focus ring around it.
    void invalidateFocusArea(CView* view);

    // ---- keys: 1 handled, -1 not
    int32 onKeyDown(VstKeyCode& keyCode) override;
    int32 onKeyUp(VstKeyCode& keyCode) override;

    // ---- tooltips and overlays (menus); overlays draw above the tree and take the input while shown
    void enableTooltips(bool state, uint32 delayMs = 1000);
    // The tooltip shown now, or empty.
    std::string getShownTooltip() const;
    void showOverlay(FrameOverlay* overlay); // takes a reference
    void hideOverlay(FrameOverlay* overlay);
    FrameOverlay* getTopOverlay() const;
    // While a modal dialog runs, window input is ignored but the window is still repainted.
    void setModalDialogRunning(bool state) { modalDialogRunning = state; }
    // Pumps the window, repaints and lets the editor service its host; for loops that wait for an
    // outside program.
    void serviceWhileModal();

    // ---- window-system entry points (frame coordinates); exceptions stop here
    // The frame marks double clicks itself (same button within 400 ms and 4 px), timed by the event
    // time in ms or, in the two-argument forms, by getTicks().
    CMouseEventResult platformOnMouseDown(CPoint where, CButtonState buttons);
    CMouseEventResult platformOnMouseDown(CPoint where, CButtonState buttons, uint32 eventTimeMs);
    CMouseEventResult platformOnMouseMoved(CPoint where, CButtonState buttons);
    CMouseEventResult platformOnMouseUp(CPoint where, CButtonState buttons);
    // A lost grab (or Escape): the capturing view restores its value.
    void platformOnMouseCancel();
    // The pointer left the window.
    void platformOnMouseExited();
    int32 platformOnKeyDown(VstKeyCode& keyCode);
    int32 platformOnKeyUp(VstKeyCode& keyCode);
    // `data.pos` in frame coordinates.
    DragOperation platformOnDragEnter(DragEventData data);
    DragOperation platformOnDragMove(DragEventData data);
    void platformOnDragLeave(DragEventData data);
    bool platformOnDrop(DragEventData data);

    // ---- snapshots (the back buffer as last painted)
    bool writePNG(const std::string& path) const;
    CColor getPixel(int x, int y) const;

    bool isGuiThread() const;

private:
    struct MouseTracking;
    struct DragTracking;
    class TaskQueue;

    void runPostedTasks();
    void cancelMouseCapture();
    CButtonState markDoubleClick(const CPoint& where, CButtonState buttons, uint32 timeMs);
    CMouseEventResult routeMouseDown(CPoint where, CButtonState buttons, uint32 timeMs);
    bool captureButtonsReleased() const;
    // Sends the capturing view its mouse-up once the buttons of its press are up.
    void endCaptureIfReleased(CPoint where, CButtonState buttons);
    void collectFocusable(CView* view, std::vector<CView*>& out) const;
    void dismissOverlays();
    FrameOverlay* modalOverlay() const;
    // The focus view, then its parents, until one answers 1.
    bool keyToFocusPath(VstKeyCode& keyCode, int32 (CView::*handler)(VstKeyCode&));
    CView* dropTargetViewAt(const CPoint& where, SharedPointer<IDropTarget>& target) const;
    DragEventData dragDataFor(const DragEventData& data) const;

    VSTGUIEditorInterface* editor;
    std::unique_ptr<IPlatformFrame> platform;
    std::unique_ptr<BackBuffer> backBuffer;
    std::unique_ptr<InvalidRegion> invalidRegion;
    std::unique_ptr<MouseTracking> mouse;
    std::unique_ptr<DragTracking> drag;
    std::unique_ptr<FrameTooltip> tooltip;
    std::unique_ptr<TaskQueue> tasks;
    std::vector<FrameOverlay*> overlays;
    std::thread::id guiThread;
    CView* focusView{nullptr};
    CCursorType cursor{kCursorDefault};
    CColor focusColor{kRedCColor};
    CCoord focusWidth{2.};
    bool focusDrawing{false};
    bool modalDialogRunning{false};
    bool inIdle{false};
};

} // namespace VSTGUI

// The sound-file view's input: selection drags, file drops, the file dialog and sound changes.
#include "gui/SoundfileView.h"

#include "audio/SoundPack.h"
#include "gui/FileDialog.h"
#include "synth/Synth.h"
#include "utility/Utf8.h"
#include "vstgui/lib/cframe.h"

#include <exception>

namespace korvel::gui {

using VSTGUI::CButtonState;
using VSTGUI::CMouseEventResult;
using VSTGUI::CPoint;

namespace {

constexpr VSTGUI::CColor OWN_COLOUR{255, 255, 255, 0};
constexpr VSTGUI::CColor ERROR_COLOUR{255, 0, 0, 255};
// The buttons the editor's views look at: left, middle, right, four and five.
constexpr VSTGUI::int32 BUTTON_BITS = 0x30E;

VSTGUI::CColor toColour(veldro::StatusColour colour)
{
    return {colour.red, colour.green, colour.blue, colour.alpha};
}

} // namespace

CMouseEventResult SoundfileView::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    const bool rightAlone = (buttons & BUTTON_BITS) == VSTGUI::kRButton;
    if (readySound() && synth && !(buttons & VSTGUI::kApple) && !rightAlone) {
        startDrag(where, buttons);
        return VSTGUI::kMouseEventHandled;
    }
    openSoundDialog();
    return VSTGUI::kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void SoundfileView::startDrag(const CPoint& where, const CButtonState& buttons)
{
    const audio::SoundPack& pack = *readySound();
    buildLines();
    const double left = getViewSize().left;
    const double right = std::min(left + double(lines.columns()), getViewSize().right);
    drag.begin(left, right, where.x, (buttons & VSTGUI::kShift) != 0, std::int64_t(pack.frameCount()), selection());
    if (drag.moves(SelectionDrag::START))
        dragGesture.open(getFrame(), startParamId);
    if (drag.moves(SelectionDrag::END))
        dragGesture.open(getFrame(), endParamId);
    write(drag.moveTo(where.x, selection()));
}

CMouseEventResult SoundfileView::onMouseMoved(CPoint& where, const CButtonState&)
{
    if (drag.mode() != SelectionDrag::NONE)
        write(drag.moveTo(where.x, selection()));
    return VSTGUI::kMouseEventHandled;
}

CMouseEventResult SoundfileView::onMouseUp(CPoint&, const CButtonState&)
{
    endDrag();
    return VSTGUI::kMouseEventHandled;
}

CMouseEventResult SoundfileView::onMouseCancel()
{
    write(drag.restore());
    endDrag();
    return VSTGUI::kMouseEventHandled;
}

void SoundfileView::write(const SelectionWrite& change)
{
    if (!synth || (!change.start && !change.end))
        return;
    auto& params = synth->getParams();
    // An edge that pushes the other one, or a cancel, writes both: each inside its own gesture.
    if (change.start) {
        dragGesture.open(getFrame(), startParamId);
        params.setParam(startParamId, *change.start, 0.0);
    }
    if (change.end) {
        dragGesture.open(getFrame(), endParamId);
        params.setParam(endParamId, *change.end, 0.0);
    }
    invalid();
}

void SoundfileView::endDrag()
{
    dragGesture.close();
    drag.end();
}

void SoundfileView::openSoundDialog()
{
    openFileDialog(*this, {VSTGUI::CNewFileSelector::kSelectFile, DIALOG_TITLE, {}},
                   [this](const std::string& path) { loadSound(path); });
}

void SoundfileView::loadSound(const std::string& path)
{
    if (!synth)
        return;
    std::weak_ptr<SoundfileView*> view = self;
    const veldro::StatusReport status = [view](const std::string& text, veldro::StatusColour colour) {
        if (auto alive = view.lock(); alive && *alive)
            (*alive)->sendText(text, toColour(colour));
    };
    try {
        synth->loadSound(path, status);
        ownLoad = {utf8::widen(path), synth->getParams().lastRequest()};
    } catch (const std::exception& e) {
        sendText(std::string("Error opening file - ") + e.what(), ERROR_COLOUR);
    }
}

VSTGUI::SharedPointer<VSTGUI::IDropTarget> SoundfileView::getDropTarget()
{
    return VSTGUI::shared<VSTGUI::IDropTarget>(this);
}

VSTGUI::DragOperation SoundfileView::onDragEnter(VSTGUI::DragEventData)
{
    if (auto* frame = getFrame())
        frame->setCursor(VSTGUI::kCursorCopy);
    return VSTGUI::DragOperation::Copy;
}

VSTGUI::DragOperation SoundfileView::onDragMove(VSTGUI::DragEventData) { return VSTGUI::DragOperation::Copy; }

void SoundfileView::onDragLeave(VSTGUI::DragEventData)
{
    if (auto* frame = getFrame())
        frame->setCursor(VSTGUI::kCursorDefault);
}

bool SoundfileView::onDrop(VSTGUI::DragEventData data)
{
    if (auto* frame = getFrame())
        frame->setCursor(VSTGUI::kCursorDefault);
    if (!data.drag || data.drag->getCount() == 0 || data.drag->getDataType(0) != VSTGUI::IDataPackage::kFilePath)
        return false;
    const void* buffer = nullptr;
    VSTGUI::IDataPackage::Type type = VSTGUI::IDataPackage::kError;
    if (data.drag->getData(0, buffer, type) == 0 || !buffer)
        return false;
    loadSound(static_cast<const char*>(buffer));
    return true;
}

void SoundfileView::paramChanged(std::uint32_t)
{
    if (std::this_thread::get_id() == guiThread)
        takeUpSound();
    else
        changePending.store(true, std::memory_order_release);
}

void SoundfileView::applyPendingChange()
{
    if (changePending.exchange(false, std::memory_order_acq_rel))
        takeUpSound();
    reportOwnLoad();
}

// The install set the selection as the plug-in's own change; it is the user's edit all the same, with the
// values it ended with.
void SoundfileView::reportOwnLoad()
{
    if (ownLoad.request == 0 || !synth || drag.mode() != SelectionDrag::NONE)
        return;
    const veldro::SynthParams& params = synth->getParams();
    if (params.lastRequest() != ownLoad.request || !getFrame()) {
        // Overtaken by a later request (never installed), or no window to report from.
        ownLoad = {};
        return;
    }
    const auto current = synth->getCurrentSound();
    if (!current || current->name() != ownLoad.path || !synth->isSoundReady())
        return;
    ownLoad = {};
    HostEditGesture selection;
    for (int id : {startParamId, endParamId})
        selection.report(getFrame(), params, id);
}

void SoundfileView::announce(const audio::SoundPack& pack) const
{
    try {
        sendText(utf8::narrow(fileNameOf(pack.name())) + " - Veldro chops it", OWN_COLOUR);
    } catch (const std::exception&) {
        // A name that cannot be shown leaves the status line as it was.
    }
}

void SoundfileView::takeUpSound()
{
    if (synth) {
        auto current = synth->getCurrentSound();
        if (current != sound) {
            lines.clear();
            sound = std::move(current);
            if (sound)
                announce(*sound);
        }
    }
    // A drag redraws as it moves; otherwise the selection may have changed with the sound or the patch.
    if (drag.mode() == SelectionDrag::NONE)
        invalid();
}

} // namespace korvel::gui

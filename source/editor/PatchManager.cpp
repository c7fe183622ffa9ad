#include "editor/PatchManager.h"

#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "editor/LoadStatusRelay.h"
#include "gui/ColourMath.h"
#include "gui/FittedText.h"
#include "gui/FontSet.h"
#include "gui/LayoutMetrics.h"
#include "synth/ParamTable.h"
#include "synth/Synth.h"
#include "utility/Utf8.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/coptionmenu.h"

#include <cstdio>

namespace korvel::veldro {

using namespace VSTGUI;

namespace {

constexpr int MENU_TAG = 10;
constexpr int32 MENU_STYLE = 256;
constexpr double DOUBLE_CLICK_TIME = 0.2;
constexpr std::uint32_t RESET_MASK = 15;
constexpr std::uint32_t STORE_MASK = MASK_ALL;
// The slot the editor stores the live sound into when it closes.
constexpr int LIVE_SLOT = 1;
constexpr CColor STATUS_COLOUR = kTransparentCColor;
constexpr CColor ERROR_COLOUR{255, 0, 0, 255};

template <typename... Args>
std::string format(const char* pattern, Args... args)
{
    char text[160];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

bool isRightButtonAlone(CButtonState buttons) { return buttons.getButtonState() == kRButton; }

CColor labelColour(const CColor& fill)
{
    if (fill.alpha == 0)
        return {255, 255, 255, 60};
    const auto lum = static_cast<int>(0.3f * fill.red + 0.59f * fill.green + 0.11f * fill.blue);
    if (lum > 200)
        return {0, 0, 0, 60};
    if (lum > 130)
        return {255, 255, 255, 160};
    return {255, 255, 255, 60};
}

// The faint label blended over an opaque fill, then raised to a contrast that still reads.
CColor readableLabelColour(const CColor& fill)
{
    const CColor label = labelColour(fill);
    if (fill.alpha != 255)
        return label;
    const CColor opaque(label.red, label.green, label.blue, 255);
    return gui::readableOn(gui::mixColours(fill, opaque, label.alpha / 255.0), fill);
}

} // namespace

PatchManager::PatchManager(gui::CGrid* grid, Synth& synth, const Colours& colours)
    : grid(grid),
      synth(synth),
      params(synth.getParams()),
      menu(owned(new COptionMenu(CRect(10, 10, 100, 100), nullptr, MENU_TAG, nullptr, nullptr, MENU_STYLE))),
      colours(colours),
      guiThread(std::this_thread::get_id()),
      loadStatus(std::make_shared<LoadStatusRelay>())
{
    mask = GROUP_PATCH_SLOTS;
    for (const char* title : {"Copy", "Move", "Paste", "Clear"})
        menu->addEntry(title);
    if (grid)
        params.setPatchCount(static_cast<std::size_t>(grid->getColumns() * grid->getRows() + EXTRA_SLOTS));
}

PatchManager::~PatchManager()
{
    // An open menu keeps itself alive; its choice must not reach a deleted manager.
    menu->setListener(nullptr);
}

std::function<void()> PatchManager::idleTask()
{
    return [this, alive = std::weak_ptr<LoadStatusRelay>(loadStatus)] {
        if (!alive.expired())
            applyPendingUpdates();
    };
}

void PatchManager::applyPendingUpdates()
{
    if (recolourPending.exchange(false, std::memory_order_acq_rel))
        recolourCells();
    loadStatus->deliver(*this);
    checkAwaitedRecall();
}

void PatchManager::checkAwaitedRecall()
{
    if (!awaited)
        return;
    const std::wstring& sound = params.getPatch(awaited->index).soundfile;
    // Any recall moves the count on; one that left this slot's sound current is this slot's (an overtaken
    // load's or a program change's leaves another sound).
    if (params.getAppliedRecallCount() != awaited->recallsAtClick) {
        const auto current = params.getCurrentSound();
        if (current && current->name() == sound) {
            awaited->before.reportChanges(grid->getFrame());
            markRecalled(awaited->index);
            awaited.reset();
            return;
        }
    }
    const auto cached = synth.findSound(sound);
    const bool failed =
        cached && audio::LoadState::isFinal(cached->state()) && cached->state() != audio::LoadState::READY;
    if (failed || !params.isLatestRequest(awaited->request))
        awaited.reset();
}

void PatchManager::paramChanged(std::uint32_t)
{
    if (std::this_thread::get_id() == guiThread)
        recolourCells();
    else
        recolourPending.store(true, std::memory_order_release);
}

void PatchManager::recolourCells()
{
    if (!grid || grid->getCellCount() == 0)
        return;
    const int count = std::min(static_cast<int>(params.getPatchCount()), grid->getCellCount());
    for (int i = 1; i < count; ++i)
        grid->cell(i).color = colours[params.hasPatch(i) ? USED_SLOT : EMPTY_SLOT];
    grid->cell(0).color = colours[RESET_CELL];
    grid->invalid();
}

void PatchManager::valueChanged(CView* view, int index)
{
    if (!grid || view != grid || index < 0 || index >= grid->getCellCount())
        return;
    const bool used = params.hasPatch(index);
    const CButtonState buttons = grid->getButtons();
    if (isRightButtonAlone(buttons)) {
        if (index != 0)
            openMenu(index, used);
    } else if (pendingAction >= 0) {
        target = {index % grid->getColumns(), index / grid->getColumns()};
        paste();
    } else {
        recallOrStore(index, used, buttons);
    }
}

void PatchManager::openMenu(int index, bool used)
{
    const int column = index % grid->getColumns();
    const int row = index / grid->getColumns();
    (pendingAction < 0 ? source : target) = {column, row};
    menuCell = index;
    if (menu->getNbEntries() > SPLIT)
        menu->removeEntry(SPLIT);
    if (row >= 1 && column >= 2)
        menu->addEntry(format("Split soundfile into %i patches here (copy empty patches from left or current)", column),
                       SPLIT);
    for (int entry : {COPY, MOVE, CLEAR})
        menu->getEntry(entry)->setEnabled(used);
    menu->getEntry(PASTE)->setEnabled(pendingAction >= 0);
    menu->setListener(this);
    CPoint centre = grid->cell(index).rect.getCenter();
    grid->localToFrame(centre);
    menu->popup(grid->getFrame(), centre);
}

void PatchManager::valueChanged(CControl* control)
{
    if (control != menu.get() || source.column < 0 || source.row < 0)
        return;
    switch (static_cast<int>(menu->getValue())) {
    case COPY:
    case MOVE:
        pendingAction = static_cast<int>(menu->getValue());
        break;
    case PASTE:
        if (pendingAction >= 0)
            paste();
        break;
    case CLEAR:
        // The right-clicked cell, whose slot decided that Clear could be chosen.
        clearSlot(menuCell);
        endPending();
        break;
    default: // Splitting a sound into patches is offered but does nothing.
        break;
    }
}

void PatchManager::recallOrStore(int index, bool used, CButtonState buttons)
{
    endPending();
    const int previous = currentCell;
    currentCell = -1;
    gui::HostValueSnapshot before(params, gui::recallableParamIds());
    if (index == 0) {
        // A reset is the user's latest request too: a recall still loading must not land after it.
        params.newRequest();
        params.resetToDefaults(buttons.isDoubleClick() ? DOUBLE_CLICK_TIME : -1.0,
                               (buttons & kShift) ? MASK_ALL : RESET_MASK);
    }
    else if (buttons & kShift)
        store(index, used, buttons);
    else if (used)
        recall(index, buttons);
    else
        status("Empty patch slot. Shift-click to store, click/double-click to use, right-click for options");
    before.reportChanges(grid->getFrame());
    if (previous > 0 && previous != index)
        clearMark(previous);
}

void PatchManager::store(int index, bool used, CButtonState buttons)
{
    // With Control the glides' targets are stored instead of where they are now.
    params.storePatch(index, !(buttons & kControl), STORE_MASK);
    std::string text = "store " + cellName(index);
    if (index == LIVE_SLOT)
        text += " - cell 1 holds the sound restored with the project: closing the editor stores it again";
    status(text);
    grid->cell(index).value = MARK_STORED;
    grid->cell(index).color = colours[used ? STORED_OVER : USED_SLOT];
}

void PatchManager::recall(int index, CButtonState buttons)
{
    const double time = buttons.isDoubleClick() ? DOUBLE_CLICK_TIME : -1.0;
    const std::string path = utf8::narrowForDisplay(params.getPatch(index).soundfile);
    switch (startRecall(index, time)) {
    case Recall::LOADING:
        status(cellName(index) + " loading " + path);
        awaited = AwaitedRecall{index, params.getAppliedRecallCount(), params.lastRequest(),
                                gui::HostValueSnapshot(params, gui::recallableParamIds())};
        return;
    case Recall::FAILED:
        sendText("Error opening file - " + path, ERROR_COLOUR);
        return;
    case Recall::DONE:
        break;
    }
    const double shown = buttons.isDoubleClick() ? DOUBLE_CLICK_TIME : params.getChangeTime();
    if (shown > 1.5)
        status(format("%s in %.1f sec", cellName(index).c_str(), shown));
    else
        status(cellName(index) + (shown < 0.7 ? " now" : ""));
    markRecalled(index);
}

void PatchManager::markRecalled(int index)
{
    // A recall that waited for its sound may land after other clicks highlighted a cell.
    if (currentCell > 0 && currentCell != index)
        clearMark(currentCell);
    markCell(index, MARK_RECALLED, colours[RECALLED]);
    currentCell = index;
}

void PatchManager::clearMark(int index)
{
    const bool used = params.hasPatch(index);
    markCell(index, used ? MARK_USED : MARK_EMPTY, colours[used ? USED_SLOT : EMPTY_SLOT]);
}

PatchManager::Recall PatchManager::startRecall(int index, double time)
{
    const Patch& patch = params.getPatch(index);
    const std::uint32_t recallMask = params.getDefaultMask();
    const auto current = params.getCurrentSound();
    const bool soundChanges =
        !patch.soundfile.empty() && (recallMask & GROUP_SOUND) && !(current && current->name() == patch.soundfile);
    const auto cached = soundChanges ? synth.findSound(patch.soundfile) : nullptr;
    if (soundChanges && !cached) {
        // Asked here rather than through the recall, so that a failed load reaches this status display.
        synth.loadSoundFile(patch.soundfile, LoadStatusRelay::reportTo(loadStatus), index, time,
                            (recallMask & ~std::uint32_t(CONTROLLER_TYPE_CHANGED)) | CHANGED_BY_HOST);
        return Recall::LOADING;
    }
    if (cached && cached->state() != audio::LoadState::READY)
        return audio::LoadState::isFinal(cached->state()) ? Recall::FAILED : Recall::LOADING;
    params.applyPatch(index, time, MASK_DEFAULT);
    return Recall::DONE;
}

void PatchManager::paste()
{
    if (source.column < 0 || source.row < 0)
        return;
    const int from = indexOf(source);
    const int to = indexOf(target);
    if (from == to) {
        // Onto its own cell: the user's way out of a pending Copy or Move, with the slot kept.
        endPending();
        return;
    }
    if (!isEditableSlot(from) || !isEditableSlot(to) || !params.hasPatch(from))
        return;
    params.setPatch(to, params.getPatch(from));
    markCell(to, MARK_STORED, colours[params.hasPatch(to) ? USED_SLOT : EMPTY_SLOT]);
    if (pendingAction == MOVE) {
        clearSlot(from);
        endPending();
    }
}

void PatchManager::clearSlot(int index)
{
    if (!isEditableSlot(index))
        return;
    params.setPatch(index, Patch{});
    if (index < grid->getCellCount()) {
        grid->cell(index).color = kTransparentCColor;
        grid->invalidRect(grid->cell(index).rect);
    }
}

void PatchManager::endPending()
{
    source = {};
    target = {};
    pendingAction = -1;
}

void PatchManager::markCell(int index, double value, const CColor& colour)
{
    if (index >= grid->getCellCount())
        return;
    gui::CGrid::Cell& cell = grid->cell(index);
    cell.value = value;
    cell.color = colour;
    grid->invalidRect(cell.rect);
}

int PatchManager::indexOf(const CellPlace& place) const
{
    return place.column < 0 || place.row < 0 ? -1 : place.row * grid->getColumns() + place.column;
}

bool PatchManager::isEditableSlot(int index) const
{
    // Slot 0 is the reset cell.
    return index > 0 && static_cast<std::size_t>(index) < params.getPatchCount();
}

void PatchManager::status(const std::string& text) const { sendText(text, STATUS_COLOUR); }

std::string PatchManager::cellName(int index) const
{
    return format("patch %i:%i", index / grid->getColumns(), index % grid->getColumns());
}

void PatchManager::drawCell(gui::CGrid* owner, CDrawContext* context, const gui::CGrid::Cell& cell, int column,
                            int row)
{
    owner->drawCell(owner, context, cell, column, row);
    // Explicitly: the context still holds whatever font the view drawn before left in it. Three-digit
    // numbers take a smaller font rather than touch the cell's border.
    constexpr CCoord margin = 2.;
    gui::FontSet& fonts = gui::fontSet();
    const std::string label = gui::fitTextInFonts(*context, std::to_string(owner->getColumns() * row + column),
                                                  cell.rect.getWidth() - 2. * margin,
                                                  {fonts.baseFont(), fonts.smallerFont(1), fonts.smallerFont(2)},
                                                  gui::layoutS())
                                  .getString();
    context->setFontColor(readableLabelColour(cell.color));
    const CCoord width = context->getStringWidth(label);
    const CPoint centre = cell.rect.getCenter();
    context->drawString(label, CPoint(centre.x - width / 2., centre.y + 0.4 * context->getFont().getSize()), true);
}

} // namespace korvel::veldro

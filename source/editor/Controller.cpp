#include "editor/Controller.h"

#include "editor/EditorViews.h"
#include "gui/ColourTable.h"
#include "gui/ControlFactories.h"
#include "gui/LayoutMetrics.h"
#include "plugin/Processor.h"
#include "synth/SynthParams.h"
#include "utility/Win32Compat.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cknob.h"

#include <cstdint>
#include <exception>

namespace korvel {

using namespace VSTGUI;

namespace {

constexpr CColor UNSET_COLOUR{255, 255, 255, 255};
// Every parameter and view shows the live value, as a change from the synth.
constexpr std::uint32_t REFRESH_ALL = veldro::MASK_ALL | veldro::CHANGED_BY_HOST;
constexpr std::uint32_t GRAIN_DISPLAY_BUDGET_MS = 5;

ERect fixedRect() { return {0, 0, Controller::HEIGHT, Controller::WIDTH}; }

} // namespace

Controller::Controller(Processor* processor)
    : AEffGUIEditor(processor), processor(processor),
      palette(UNSET_COLOUR, UNSET_COLOUR, UNSET_COLOUR, UNSET_COLOUR),
      focusPalette(UNSET_COLOUR, UNSET_COLOUR, UNSET_COLOUR, UNSET_COLOUR)
{
    setKnobMode(kLinearMode);
    rect = fixedRect();
}

Controller::~Controller()
{
    if (frame) {
        releaseWindow();
        processor->getLoadPoller().resume();
    }
    deletePatchManager();
}

bool Controller::getRect(ERect** outRect)
{
    if (frame) {
        rect.top = 0;
        rect.left = 0;
        rect.bottom = static_cast<std::int16_t>(frame->getHeight());
        rect.right = static_cast<std::int16_t>(frame->getWidth());
    }
    return AEffGUIEditor::getRect(outRect);
}

bool Controller::open(void* parentWindow)
{
    if (frame)
        close();
    AEffGUIEditor::open(parentWindow);
    gui::updateLayoutMetrics();
    palette = gui::colourTable().palette();
    focusPalette = gui::Palette(palette.background, palette.frame, gui::colourTable().colour("focus"), palette.accent);

    // Lengths below all derive from the font size, read again at each open.
    const CCoord knob = gui::s(30);
    const CCoord padding = gui::u(4);
    const CCoord row = knob + gui::u(10) + 3 * padding;
    const CCoord topHeight = 3 * row + 2 * padding + gui::u(10) + gui::u(16);
    const CCoord bottomHeight = 2 * row + 2 * padding + gui::u(10) + gui::u(16);
    frame = new CFrame({0, 0, gui::s(520), topHeight + bottomHeight + padding}, this);
    if (!frame->open(parentWindow)) {
        // A window the host cannot give us: nothing to show, nothing to store at close.
        frame->forget();
        frame = nullptr;
        return true;
    }
    frame->setBackgroundColor(palette.background);
    frame->setFocusDrawingEnabled(true);
    frame->setFocusColor(gui::colourTable().colour("cie.blue"));
    frame->setFocusWidth(2.0);
    frame->enableTooltips(true, 1000);

    processor->getLoadPoller().pause();
    const CRect control(4, 4, gui::s(100) - 4, topHeight - 4);
    const CRect sound(control.right + 4, 4, control.right + gui::s(194) - 4, topHeight - 4);
    const CRect grains(sound.right + 4, 4, sound.right + gui::s(228) - 4, topHeight - 4);
    buildControlBox(control);
    buildSoundBox(sound);
    buildGrainBox(grains);
    buildPatchBox({control.left, control.bottom, sound.right, control.bottom + bottomHeight});
    buildProcessingBox({grains.left, grains.bottom, grains.right, grains.bottom + bottomHeight});
    applyStartState();
    // Displays that follow their parameter at each idle show the live value from the first paint.
    bridges.applyPendingUpdates();
    processor->setFadeState(Processor::FADE_IN);
    return true;
}

EditorContext Controller::viewContext()
{
    return {*processor, processor->getSynth(), processor->getSynth().getParams(), palette, focusPalette, bridges,
            objects, idleTasks};
}

gui::CGroupbox* Controller::addBox(const CRect& boxRect, const char* title)
{
    gui::CGroupbox* box = gui::makeGroupbox(boxRect, title, palette, kTransparentCColor, true);
    boxes.push_back(box);
    return box;
}

void Controller::applyStartState()
{
    veldro::SynthParams& params = processor->getSynth().getParams();
    if (params.isEngineRunning()) {
        params.notifyListeners(REFRESH_ALL);
        processor->markLiveStateRestored();
    } else if (params.hasPatch(Processor::LIVE_SLOT)) {
        processor->recallLiveSlot();
    } else {
        params.resetToDefaults(0.0, REFRESH_ALL);
        processor->markLiveStateRestored();
    }
}

void Controller::bindStatusTexts(gui::CGroupbox& patchBox)
{
    gui::ITextReceiver* status = patchBox.getStatusReceiver();
    processor->getStateStore().setStatusSink([status](const std::string& text, bool isError) {
        if (status)
            status->receiveText(text.c_str(), isError ? CColor{255, 0, 0, 255} : kTransparentCColor);
    });
}

void Controller::idle()
{
    if (!frame) {
        AEffGUIEditor::idle();
        return;
    }
    const std::uint32_t start = win32::GetTickCount();
    processor->getSynth().pollLoads();
    bridges.applyPendingUpdates();
    for (const auto& task : idleTasks)
        task();
    processor->tellHostOfOwnChanges();
    const auto position = static_cast<std::uint64_t>(processor->getSynth().getPlayPosition());
    if (position != 0 && soundView)
        views::showPlayPosition(*soundView, position);
    AEffGUIEditor::idle();
    const std::uint32_t now = win32::GetTickCount();
    if (now - start < GRAIN_DISPLAY_BUDGET_MS && grainDisplay)
        views::tickGrainDisplay(*grainDisplay, now);
}

void Controller::close()
{
    if (!frame) {
        AEffGUIEditor::close();
        return;
    }
    try {
        processor->getSynth().getParams().clearListeners();
        if (processor->storeLiveState())
            processor->getStateStore().saveStateFile();
    } catch (const std::exception&) {
        // A failed store or write loses that update only; the window still closes.
    }
    releaseWindow();
    processor->getLoadPoller().resume();
    AEffGUIEditor::close();
}

void Controller::releaseWindow()
{
    processor->getSynth().getParams().clearListeners();
    processor->getStateStore().setStatusSink({});
    frame->close();
    frame->forget();
    frame = nullptr;
    controlBox = soundBox = grainBox = processingBox = nullptr;
    adsrEditor1 = adsrEditor2 = nullptr;
    soundView = nullptr;
    grainDisplay = nullptr;
    boxes.clear();
    idleTasks.clear();
    objects.clear();
    bridges.clear();
}

void Controller::deletePatchManager()
{
    views::deletePatchManager(patchManager);
    patchManager = nullptr;
}

} // namespace korvel

#include "editor/EditorViews.h"

#include "gui/CDropButton.h"
#include "gui/CGroupbox.h"
#include "gui/HostEditGesture.h"
#include "gui/SoundfileView.h"
#include "gui/StaticPalettes.h"
#include "gui/Tooltips.h"
#include "patch/StateStore.h"
#include "plugin/Processor.h"
#include "synth/Synth.h"
#include "synth/SynthParamIds.h"
#include "vstgui/lib/cgradient.h"

namespace korvel::views {

namespace {

constexpr VSTGUI::int32 PATCH_FILE_TAG = 174;

} // namespace

gui::SoundfileView* makeSoundfileView(const EditorContext& context, gui::CGroupbox& box, const VSTGUI::CRect& rect)
{
    auto* view = new gui::SoundfileView(rect, veldro::param_id::SOUND_START, veldro::param_id::SOUND_END,
                                        gui::soundfileViewColours);
    view->setSynth(&context.synth);
    view->setTextReceiver(box.getStatusReceiver());
    gui::setTooltipForTag(view, veldro::param_id::SOUND_START);
    box.addView(view);
    context.params.addListener(view);
    context.idleTasks.push_back([keep = VSTGUI::SharedPointer<gui::SoundfileView>(view)] {
        keep->applyPendingChange();
    });
    return view;
}

void showPlayPosition(gui::SoundfileView& view, std::uint64_t frame) { view.setPlayPosition(double(frame)); }

void makeDropButton(const EditorContext& context, gui::CGroupbox& box, const VSTGUI::CRect& rect)
{
    auto* button = new gui::CDropButton(rect, PATCH_FILE_TAG);
    button->setTitle("patch drop");
    button->setFrameWidth(1.5);
    button->setFrameColor(context.palette.accent);
    button->setTextColor(context.palette.accent);
    button->setGradient(
        VSTGUI::owned(VSTGUI::CGradient::create(0, 1, context.palette.background, context.palette.background)));
    gui::setTooltipForTag(button, PATCH_FILE_TAG);
    button->setFileType(VSTGUI::CFileExtension("Veldro patch file", "json", "text/json"));
    veldro::StateStore& store = context.processor.getStateStore();
    // A patch file brings its globals, which jump: the host hears of those that changed from here.
    button->setOnFileDropped([&store, &params = context.params, button](std::string path) {
        gui::HostValueSnapshot before(params, gui::recallableParamIds());
        store.loadPatchFile(std::move(path));
        before.reportChanges(button->getFrame());
    });
    button->setOnSaveChosen([&store](std::string path) { store.savePatchFile(std::move(path)); });
    button->setTextReceiver(box.getStatusReceiver());
    box.addView(button);
}

} // namespace korvel::views

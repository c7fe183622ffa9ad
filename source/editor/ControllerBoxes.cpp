// The contents of the editor window's five group boxes.
#include "editor/Controller.h"

#include "editor/EditorBlocks.h"
#include "editor/EditorLengths.h"
#include "editor/EditorViews.h"
#include "editor/GuiSynthParamDisplay.h"
#include "gui/CGroupbox.h"
#include "gui/ControlFactories.h"
#include "gui/CTextDisplay.h"
#include "gui/LayoutMetrics.h"
#include "gui/Tooltips.h"
#include "plugin/Processor.h"
#include "synth/ValueFormat.h"
#include "vstgui/lib/cframe.h"

namespace korvel {

using namespace VSTGUI;
using veldro::ValueFormat;

namespace {

using lengths::gap;
using lengths::labelHeight;
using lengths::padding;
using lengths::padTrim;
CCoord knobSize() { return lengths::knob(); }
// The box's content without its status strip.
CRect usableArea(const gui::CGroupbox& box)
{
    CRect area = box.getContentRect();
    area.bottom -= gui::u(8) + padding();
    return area;
}
constexpr const char* PATCHES_HELP = "Patches: Click to use, Shift-click to store, right-click for options";

CRect knobAt(CCoord left, CCoord top) { return {left, top, left + knobSize(), top + knobSize()}; }

} // namespace

void Controller::buildControlBox(const CRect& boxRect)
{
    controlBox = addBox(boxRect, "Control / MIDI");
    const EditorContext context = viewContext();
    const CRect area = usableArea(*controlBox);
    const CCoord half = (area.getHeight() - gap()) / 2;
    adsrEditor1 = views::makeAdsrEditor(context, *controlBox, {area.left, area.top, area.right, area.top + half}, 25);
    adsrEditor2 =
        views::makeAdsrEditor(context, *controlBox, {area.left, area.bottom - half, area.right, area.bottom}, 40);
    frame->addView(controlBox);
}

void Controller::buildSoundBox(const CRect& boxRect)
{
    soundBox = addBox(boxRect, "Soundfile");
    const EditorContext context = viewContext();
    EditorBlocks blocks(context);
    const CRect area = usableArea(*soundBox);
    const CRect viewRect(area.left, area.top, area.right, area.top + gui::u(20) + 2 * knobSize() + gui::u(10));
    soundView = views::makeSoundfileView(context, *soundBox, viewRect);

    const CRect playRate = blocks.makeParamBlock(*soundBox, knobAt(area.left, viewRect.bottom + gui::u(10)),
                                                 blocks.makeGuiSynthParamDisplay(2, ValueFormat("play-rate %.*f", 2)));
    const CCoord left = playRate.right + 2 * gap();
    const CRect positionRect(left, playRate.top, left + 2 * knobSize() + gap(), playRate.top + labelHeight());
    auto* position = gui::makeTextDisplay(positionRect, "", "play position", focusPalette);
    soundBox->addView(position);
    blocks.makePads(*soundBox, 3,
                    {left, positionRect.bottom + padding(), left + knobSize(),
                     positionRect.bottom + padding() + knobSize() - padTrim()});
    frame->addView(soundBox);
}

void Controller::buildGrainBox(const CRect& boxRect)
{
    grainBox = addBox(boxRect, "Grains");
    const EditorContext context = viewContext();
    EditorBlocks blocks(context);
    const CRect area = usableArea(*grainBox);

    const CRect rate = blocks.makeParamBlock(*grainBox, knobAt(area.left, area.top),
                                             blocks.makeGuiSynthParamDisplay(4, ValueFormat("rate %.*f / s", 2)));
    const CRect length = blocks.makeParamBlock(*grainBox, knobAt(area.left, rate.bottom + padding()),
                                               blocks.makeGuiSynthParamDisplay(5, ValueFormat("length", -3)));
    const CRect displayRect(area.left, length.bottom + padding(), length.right,
                            area.bottom - labelHeight() - padding());
    auto* densityLabel = blocks.makeLabel(*grainBox, {displayRect.left, displayRect.bottom, displayRect.right,
                                                      displayRect.bottom + labelHeight()});
    gui::setTooltipForTag(densityLabel, 6);
    grainDisplay = views::makeGrainDisplay(context, *grainBox, displayRect, densityLabel);

    const CCoord right = rate.right + 2 * gap();
    const CRect freq = blocks.makeParamBlock(*grainBox, knobAt(right, area.top),
                                             blocks.makeGuiSynthParamDisplay(7, ValueFormat("freq", -4)));
    const CRect gliss = blocks.makeParamBlock(*grainBox, knobAt(right, freq.bottom + padding()),
                                              blocks.makeGuiSynthParamDisplay(8, ValueFormat("gliss %.*f semi", 1)));
    const CRect attDecRect(right, gliss.bottom + padding(), gliss.right, gliss.bottom + padding() + labelHeight());
    grainBox->addView(gui::makeTextDisplay(attDecRect, "- ctrl left: attack, right: decay", "att-dec", focusPalette));

    const CCoord padTop = attDecRect.bottom + padding();
    const CCoord padHeight = knobSize() - padTrim();
    const CRect attackPads =
        blocks.makePads(*grainBox, 9, {right, padTop, right + knobSize(), padTop + padHeight});
    const CCoord editorLeft = attackPads.right + gap();
    const CCoord editorRight = gliss.right - knobSize() - gap();
    views::makeAttackDecayEditor(context, *grainBox, {editorLeft, padTop, editorRight, padTop + padHeight});
    blocks.makePads(*grainBox, 10, {editorRight + gap(), padTop, editorRight + gap() + knobSize(), padTop + padHeight});
    frame->addView(grainBox);
}

void Controller::buildProcessingBox(const CRect& boxRect)
{
    processingBox = addBox(boxRect, "Processing");
    const EditorContext context = viewContext();
    EditorBlocks blocks(context);
    const CRect area = usableArea(*processingBox);
    // Eleven knob clusters and pads and the filter section share two rows: smaller places than elsewhere.
    const CCoord place = gui::s(28);
    const CCoord padHeight = place - padTrim();
    const auto placeAt = [place](CCoord left, CCoord top) { return CRect(left, top, left + place, top + place); };

    // Top row: distortion and crusher, then the delay.
    auto* distortion = blocks.makeGuiSynthParamDisplay(13, ValueFormat());
    distortion->setFormat(30.0, ValueFormat("dist boost %.1f", 2));
    distortion->setFormat(0.0, ValueFormat("dist fold %.1f", 2));
    const CRect shaping = blocks.makeKnobCluster(
        *processingBox, placeAt(area.left, area.top),
        {{13, distortion},
         {15, blocks.makeGuiSynthParamDisplay(15, ValueFormat("dist tone %.1f", 2))},
         {14, blocks.makeGuiSynthParamDisplay(14, ValueFormat("bitcrush %.1f", 2))}});
    blocks.makeKnobCluster(
        *processingBox, placeAt(shaping.right + 2 * gap(), area.top),
        {{23, blocks.makeGuiSynthParamDisplay(23, ValueFormat("delay time", -3))},
         {24, blocks.makeGuiSynthParamDisplay(24, ValueFormat("delay feedback %.2f", 2))}});

    // Bottom row, laid out from the right: the pan's pads, the output level with its pads, the filter's
    // pads with the filter's status below them, and the filter section (value above the view, mix sliders
    // below it) in the rest.
    const CCoord top = shaping.bottom + padding();
    const CCoord panLeft = area.right - place;
    const CCoord outLeft = panLeft - gap() - (2 * place + gap());
    const CCoord mixPadLeft = outLeft - 2 * gap() - place;
    const CCoord filterPadLeft = mixPadLeft - gap() - place;
    const CCoord filterWidth = filterPadLeft - gap() - area.left;
    auto* filterValue = blocks.makeGuiSynthParamDisplay(16, ValueFormat("filter %.2f", 2));
    filterValue->setTextReceiver(
        blocks.makeLabel(*processingBox, {area.left, top, area.left + filterWidth, top + labelHeight()}));
    // The filter view's own texts, under its pads; they name the filter themselves, so "filter" is the
    // first text rather than a label in front of each.
    const CCoord statusTop = top + place + padding();
    auto* filterLabel = gui::makeTextDisplay(
        {filterPadLeft, statusTop, mixPadLeft + place, statusTop + labelHeight()}, "filter", "", palette);
    processingBox->addView(filterLabel);
    const CCoord sliderHeight = gui::u(8);
    const CRect viewRect(area.left, top + labelHeight() + padding(), area.left + filterWidth,
                         area.bottom - sliderHeight - padding());
    CRect sliders[3];
    const CCoord sliderWidth = (filterWidth - 2 * gap()) / 3;
    for (int i = 0; i < 3; ++i) {
        const CCoord left = area.left + i * (sliderWidth + gap());
        sliders[i] = {left, area.bottom - sliderHeight, left + sliderWidth, area.bottom};
    }
    views::makeFilterSection(context, *processingBox, viewRect, sliders, filterLabel);
    blocks.makePads(*processingBox, 16, {filterPadLeft, top, filterPadLeft + place, top + padHeight});
    blocks.makePads(*processingBox, 18, {mixPadLeft, top, mixPadLeft + place, top + padHeight});

    blocks.makeKnobCluster(*processingBox, placeAt(outLeft, top),
                           {{11, blocks.makeGuiSynthParamDisplay(11, ValueFormat("out amp %.2f", 2))},
                            {57, blocks.makeGuiSynthParamDisplay(57, ValueFormat("amp density comp %.1f", 2))}});
    blocks.makePads(*processingBox, 12, {panLeft, top, panLeft + place, top + padHeight});
    frame->addView(processingBox);
}

void Controller::buildPatchBox(const CRect& boxRect)
{
    gui::CGroupbox* patchBox = addBox(boxRect, "Patches");
    const EditorContext context = viewContext();
    EditorBlocks blocks(context);
    const CRect area = usableArea(*patchBox);

    const CRect time = blocks.makeParamBlock(*patchBox, knobAt(area.left, area.top),
                                             blocks.makeGuiSynthParamDisplay(56, ValueFormat("time %.*f s", 1)));
    const CCoord dropTop = time.bottom + padding();
    // As wide as the time's label above it: a knob's width leaves the title no margin.
    views::makeDropButton(context, *patchBox, {area.left, dropTop, time.right, dropTop + gui::u(16)});

    struct Option {
        int id;
        const char* off;
        const char* on;
    };
    const Option options[] = {{59, "DO NOT switch soundfile with patch", "Change soundfile with patch"},
                              {60, "DO NOT switch controls with patch", "Change controls with patch"},
                              {61, "DO NOT change ADSR with patch", "Change ADSR with patch"}};
    const CCoord optionTop = dropTop + gui::u(16) + padding();
    const CCoord optionSize = gui::u(10);
    CCoord left = area.left;
    for (const Option& option : options) {
        auto* bridge = blocks.makeOptionButton(*patchBox, option.id,
                                               {left, optionTop, left + optionSize, optionTop + optionSize}, palette);
        bridge->setFormat(0.5, ValueFormat(option.off, 2));
        bridge->setFormat(1.0, ValueFormat(option.on, 2));
        left += optionSize + gap();
    }

    deletePatchManager();
    const CCoord gridLeft = time.right + 2 * gap();
    const CCoord gridWidth = static_cast<CCoord>(static_cast<int>(area.right - gridLeft) / 18 * 18);
    const CRect grid(area.right - gridWidth, area.top, area.right, area.top + gridWidth * 7 / 18);
    patchManager = views::makePatchGrid(context, *patchBox, grid);

    if (gui::ITextReceiver* status = patchBox->getStatusReceiver())
        status->receiveText(PATCHES_HELP, kTransparentCColor);
    bindStatusTexts(*patchBox);
    frame->addView(patchBox);
}

} // namespace korvel

#include "editor/EditorBlocks.h"

#include "editor/EditorLengths.h"
#include "editor/EditorViews.h"
#include "editor/GuiBridges.h"
#include "editor/GuiSynthOptionDisplay.h"
#include "editor/GuiSynthParamDisplay.h"
#include "editor/KnobFactory.h"
#include "gui/CGroupbox.h"
#include "gui/ControlFactories.h"
#include "gui/LayoutMetrics.h"
#include "gui/Tooltips.h"
#include "synth/ParamTable.h"
#include "synth/Scaling.h"
#include "synth/SynthParams.h"
#include "synth/ValueFormat.h"
#include "vstgui/lib/cgradient.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/controls/ctextbutton.h"

#include <algorithm>
#include <vector>

namespace korvel {

using namespace VSTGUI;
using veldro::getParamInfo;

using lengths::gap;
using lengths::labelHeight;
using lengths::padTrim;

namespace {

// The value a knob starts at: its parameter's default, or 0 for one without a scaling.
void showStartValue(veldro::GuiSynthParamDisplay& bridge)
{
    bridge.showValue(bridge.getScaling() ? getParamInfo(bridge.getParamId()).range.default_value : 0.0);
}

} // namespace

veldro::GuiSynthParamDisplay* EditorBlocks::makeGuiSynthParamDisplay(int id, const veldro::ValueFormat& format)
{
    const veldro::ParamInfo& info = getParamInfo(id);
    auto* bridge = context.bridges.make<veldro::GuiSynthParamDisplay>(&context.params, id,
                                                                      makeScaling(info.range));
    if (!format.format_text.empty())
        bridge->setFormat(info.range.default_value, format);
    return bridge;
}

gui::CTextDisplay* EditorBlocks::makeLabel(CViewContainer& container, const CRect& rect)
{
    auto* label = gui::makeTextDisplay(rect, "", "", context.palette);
    container.addView(label);
    return label;
}

gui::CKBKnob* EditorBlocks::makeKnobFor(CViewContainer& container, const CRect& rect,
                                        veldro::GuiSynthParamDisplay* bridge)
{
    const int id = bridge->getParamId();
    const veldro::ParamInfo& info = getParamInfo(id);
    auto* knob = veldro::makeKnob(rect, bridge, id, nullptr, context.palette);
    if (info.range.min < 0)
        knob->setDrawStyle(knob->getDrawStyle() | CKnob::kCoronaFromCenter);
    const auto normalizedDefault =
        static_cast<float>(bridge->getScaling() ? bridge->getScaling()->toNormalized(info.range.default_value)
                                                : info.range.default_value);
    knob->setDefaultValue(normalizedDefault);
    knob->setValue(normalizedDefault);
    gui::setTooltipForControl(knob);
    container.addView(knob);
    // Only now: host automation reaches a registered bridge on other threads, which read its control.
    context.params.addListener(bridge);
    return knob;
}

CRect EditorBlocks::makePads(gui::CGroupbox& box, int id, const CRect& rect)
{
    return views::makeControllerViewFor(context, box, id, rect, gap(), box.getStatusReceiver());
}

CRect EditorBlocks::makeParamBlock(gui::CGroupbox& box, const CRect& knobRect, veldro::GuiSynthParamDisplay* bridge)
{
    const int id = bridge->getParamId();
    const int pads = getParamInfo(id).nof_controls;
    makeKnobFor(box, knobRect, bridge);
    const CCoord padStep = knobRect.getWidth() + gap();
    // Wide enough for a value text also where the knob has no pads.
    const CRect labelRect(knobRect.left, knobRect.bottom,
                          std::max(knobRect.right + pads * padStep, knobRect.left + gui::u(56)),
                          knobRect.bottom + labelHeight());
    bridge->setTextReceiver(makeLabel(box, labelRect));
    showStartValue(*bridge);
    CRect covered(knobRect.left, knobRect.top, labelRect.right, labelRect.bottom);
    if (pads > 0) {
        const CRect firstPad(knobRect.right + gap(), knobRect.top, knobRect.right + gap() + knobRect.getWidth(),
                             knobRect.bottom - padTrim());
        covered.right = std::max(covered.right, makePads(box, id, firstPad).right);
    }
    return covered;
}

CRect EditorBlocks::makeKnobCluster(gui::CGroupbox& box, const CRect& rect, std::initializer_list<ClusterKnob> knobs)
{
    std::vector<ClusterKnob> placed(knobs);
    const int count = static_cast<int>(placed.size());
    const CCoord w = rect.getWidth();
    const CCoord h = rect.getHeight();
    const double share = count == 2 ? 0.58 : 0.5;
    const CCoord kw = share * w;
    const CCoord kh = share * h;
    auto knobAt = [&](CCoord left, CCoord top) { return CRect(left, top, left + kw, top + kh); };

    std::vector<CRect> places;
    places.push_back(knobAt(rect.left, rect.top));
    if (count == 2) {
        places.push_back(knobAt(rect.right - kw, rect.bottom - kh));
    } else {
        places.push_back(knobAt(rect.left + kw, rect.top + (count == 3 ? 0.5 * kh : 0.0)));
        places.push_back(knobAt(rect.left, rect.top + kh));
        places.push_back(knobAt(rect.left + kw, rect.top + kh));
    }

    const CRect labelRect(rect.left, rect.bottom, rect.left + 3 * (w + gap()) - gap(), rect.bottom + labelHeight());
    gui::CTextDisplay* label = makeLabel(box, labelRect);
    for (int i = 0; i < count; ++i) {
        if (placed[i].id < 0 || !placed[i].bridge)
            continue;
        makeKnobFor(box, places[i], placed[i].bridge);
        placed[i].bridge->setTextReceiver(label);
    }
    // Until a knob moves or the synthesizer reports, the label shows where the first knob starts.
    const auto first = std::find_if(placed.begin(), placed.end(),
                                    [](const ClusterKnob& knob) { return knob.id >= 0 && knob.bridge; });
    if (first != placed.end())
        showStartValue(*first->bridge);

    CRect covered(rect.left, rect.top, std::max(rect.right, labelRect.right), labelRect.bottom);
    CRect pad(rect.right + gap(), rect.top, rect.right + gap() + w, rect.bottom - padTrim());
    for (const ClusterKnob& knob : placed) {
        if (knob.id < 0 || getParamInfo(knob.id).nof_controls == 0)
            continue;
        const CRect pads = makePads(box, knob.id, pad);
        covered.right = std::max(covered.right, pads.right);
        pad.offset(pads.right + gap() - pad.left, 0);
    }
    return covered;
}

veldro::GuiSynthOptionDisplay* EditorBlocks::makeOptionButton(gui::CGroupbox& box, int id, const CRect& rect,
                                            const gui::Palette& palette)
{
    auto* bridge =
        context.bridges.make<veldro::GuiSynthOptionDisplay>(&context.params, id, std::make_unique<Scaling>(1.0, 0.0));
    bridge->setTextReceiver(box.getStatusReceiver());
    auto* button = new CTextButton(rect, bridge, id, nullptr, CTextButton::kOnOffStyle);
    button->setGradient(owned(CGradient::create(0, 1, palette.background, palette.background)));
    button->setGradientHighlighted(owned(CGradient::create(0, 1, palette.accent, palette.accent)));
    button->setFrameColor(palette.frame);
    button->setRoundRadius(2.0);
    button->setValue(static_cast<float>(getParamInfo(id).range.default_value));
    gui::setTooltipForControl(button);
    bridge->setControl(button);
    box.addView(button);
    context.params.addListener(bridge);
    return bridge;
}

} // namespace korvel

// Renders a "Grains" group box of the editor's controls, bound to the parameters of a stopped engine,
// into a PNG: editor-snapshot [out.png]

#include "editor/GuiBridges.h"
#include "editor/GuiSynthOptionDisplay.h"
#include "editor/KnobFactory.h"
#include "gui/ColourTable.h"
#include "gui/ControlFactories.h"
#include "gui/LayoutMetrics.h"
#include "gui/Tooltips.h"
#include "synth/ParamTable.h"
#include "synth/Synth.h"
#include "vstgui/lib/cframe.h"

#include <cstdio>
#include <string>

namespace {

using namespace VSTGUI;
using namespace korvel;
using namespace korvel::veldro;

struct KnobLayout {
    int id;
    const char* format;
    int precision;
};

class Snapshot {
public:
    Snapshot() : params(synth.getParams()), palette(gui::colourTable().palette()) { gui::updateLayoutMetrics(); }
    ~Snapshot()
    {
        params.clearListeners();
        if (frame)
            frame->close();
    }

    bool render(const std::string& path)
    {
        const CCoord knobSize = gui::s(30);
        const CCoord labelHeight = gui::u(11);
        frame = owned(new CFrame({0, 0, 4 * (knobSize + gui::s(24)) + 40, 250}, nullptr));
        if (!frame->open(nullptr))
            return false;
        frame->setBackgroundColor(palette.background);
        frame->setFocusDrawingEnabled(true);
        frame->setFocusColor(gui::colourTable().colour("cie.blue"));

        auto* box = gui::makeGroupbox({4, 4, frame->getWidth() - 4, frame->getHeight() - 4}, "Grains", palette,
                                      kTransparentCColor, true);
        const CRect content = box->getContentRect();
        CCoord left = content.left;
        gui::CKBKnob* firstKnob = nullptr;
        for (const KnobLayout& layout : {KnobLayout{4, "rate %.*f / s", 2}, KnobLayout{5, "length", -3},
                                     KnobLayout{12, "pan %.2f", 2}, KnobLayout{13, "", 2}})
        {
            const CRect knobRect(left, content.top, left + knobSize, content.top + knobSize);
            auto* knob = addKnob(*box, layout, knobRect, labelHeight);
            if (!firstKnob)
                firstKnob = knob;
            left += knobSize + gui::s(24);
        }

        const CCoord sliderTop = content.top + knobSize + labelHeight + gui::u(6);
        addSlider(*box, {content.left, sliderTop, content.left + 2 * knobSize, sliderTop + gui::u(8)});
        addOptionButton(*box, {content.left, sliderTop + gui::u(12), content.left + gui::u(10),
                               sliderTop + gui::u(22)});

        frame->addView(box);
        params.setParam(12, 0.4, 0.0); // bipolar knobs away from their centre
        params.setParam(13, -8.0, 0.0);
        params.notifyListeners(0x27F); // every bridge shows the live values
        option->setValue(0.0f);
        option->valueChanged(); // the status line says what the option does
        frame->setFocusView(firstKnob);
        frame->invalid();
        frame->idle();
        return frame->writePNG(path);
    }

private:
    gui::CKBKnob* addKnob(gui::CGroupbox& box, const KnobLayout& layout, const CRect& rect, CCoord labelHeight)
    {
        const ParamInfo& info = getParamInfo(layout.id);
        auto* bridge = bridges.make<GuiSynthParamDisplay>(&params, layout.id, makeScaling(info.range));
        if (layout.id == 13) {
            bridge->setFormat(30.0, ValueFormat("dist boost %.1f", 2));
            bridge->setFormat(0.0, ValueFormat("dist fold %.1f", 2));
        } else {
            bridge->setFormat(info.range.default_value, ValueFormat(layout.format, layout.precision));
        }
        auto* label = gui::makeTextDisplay({rect.left, rect.bottom, rect.right + gui::s(20), rect.bottom + labelHeight},
                                           "", "", palette);
        auto* knob = makeKnob(rect, bridge, layout.id, label, palette);
        if (info.range.min < 0)
            knob->setDrawStyle(knob->getDrawStyle() | CKnob::kCoronaFromCenter);
        const auto normalizedDefault = static_cast<float>(bridge->getScaling()->toNormalized(info.range.default_value));
        knob->setDefaultValue(normalizedDefault);
        knob->setValue(normalizedDefault);
        gui::setTooltipForControl(knob);
        params.addListener(bridge);
        box.addView(knob);
        box.addView(label);
        return knob;
    }

    void addSlider(gui::CGroupbox& box, const CRect& rect)
    {
        constexpr int FILTER_LOW = 18;
        auto* bridge =
            bridges.make<GuiSynthParamBridge>(&params, FILTER_LOW, makeScaling(getParamInfo(FILTER_LOW).range));
        auto* slider = gui::makeTextSlider(rect, bridge, FILTER_LOW, "low %.2f", palette);
        slider->setScaling(bridge->getScaling());
        bridge->setControl(slider);
        params.addListener(bridge);
        box.addView(slider);
    }

    void addOptionButton(gui::CGroupbox& box, const CRect& rect)
    {
        constexpr int PATCH_SOUNDFILE = 59;
        auto* bridge = bridges.make<GuiSynthOptionDisplay>(&params, PATCH_SOUNDFILE, std::make_unique<Scaling>(1.0, 0.0));
        bridge->setFormat(0.5, ValueFormat("DO NOT switch soundfile with patch", 2));
        bridge->setFormat(1.0, ValueFormat("Change soundfile with patch", 2));
        bridge->setTextReceiver(box.getStatusReceiver());
        option = new CTextButton(rect, bridge, PATCH_SOUNDFILE, nullptr, CTextButton::kOnOffStyle);
        option->setGradient(owned(CGradient::create(0, 1, palette.background, palette.background)));
        option->setGradientHighlighted(owned(CGradient::create(0, 1, palette.accent, palette.accent)));
        option->setFrameColor(palette.frame);
        option->setRoundRadius(2.0);
        option->setValue(static_cast<float>(getParamInfo(PATCH_SOUNDFILE).range.default_value));
        gui::setTooltipForControl(option);
        bridge->setControl(option);
        params.addListener(bridge);
        box.addView(option);
    }

    Synth synth;
    SynthParams& params;
    gui::Palette palette;
    GuiBridges bridges;
    SharedPointer<CFrame> frame;
    CTextButton* option = nullptr;
};

} // namespace

int main(int argc, char** argv)
{
    const std::string path = argc > 1 ? argv[1] : "editor-snapshot.png";
    Snapshot snapshot;
    if (!snapshot.render(path)) {
        std::fprintf(stderr, "editor-snapshot: could not write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s\n", path.c_str());
    return 0;
}

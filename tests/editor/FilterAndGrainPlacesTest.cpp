#include "BridgeRig.h"

#include "editor/EditorViews.h"
#include "editor/GuiBridges.h"
#include "gui/CFilterView.h"
#include "gui/CGrainDisplay.h"
#include "gui/CGroupbox.h"
#include "gui/CTextSlider.h"
#include "gui/ControlFactories.h"
#include "gui/LayoutMetrics.h"
#include "gui/StaticPalettes.h"
#include "gui/Tooltips.h"
#include "plugin/Processor.h"
#include "vstgui/lib/cframe.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace korvel::views {
namespace {

using namespace VSTGUI;

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

struct NoListener : veldro::ISynthParamListener {
    int getId() const override { return 23; }
    void paramChanged(std::uint32_t) override {}
};

std::string tooltipOf(CView& view)
{
    char text[256] = {};
    uint32 size = 0;
    view.getAttribute(kCViewTooltipAttribute, sizeof text, text, size);
    return text;
}

// One window's worth of context around a box, as the editor hands it to the builders.
class FilterAndGrainPlaces : public ::testing::Test {
protected:
    ~FilterAndGrainPlaces() override { params.clearListeners(); }

    Processor processor{quietHost};
    veldro::Synth& synth = processor.getSynth();
    veldro::SynthParams& params = synth.getParams();
    veldro::GuiBridges bridges;
    WindowObjects objects;
    std::vector<std::function<void()>> idleTasks;
    EditorContext context{processor, synth, params, gui::staticPalette(0), gui::staticPalette(0),
                          bridges,   objects, idleTasks};
    SharedPointer<gui::CGroupbox> box =
        owned(gui::makeGroupbox(CRect(0, 0, 450, 240), "Processing", gui::staticPalette(0), kTransparentCColor, true));
    test::TextLog label;
};

TEST_F(FilterAndGrainPlaces, FilterSectionHasTwoPointsThreeMixSlidersAndFollowsTheParameters)
{
    const CRect sliderRects[3] = {{10, 120, 60, 130}, {10, 132, 60, 142}, {10, 144, 60, 154}};
    makeFilterSection(context, *box, CRect(10, 20, 200, 110), sliderRects, &label);
    ASSERT_EQ(box->getNbViews(), 5u); // status strip, view, sliders
    auto* view = dynamic_cast<gui::CFilterView*>(box->getChildren()[1]);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->getTag(), 16);
    EXPECT_EQ(tooltipOf(*view), gui::tooltipFor(16));
    ASSERT_EQ(view->getPointCount(), 2);
    const auto& second = view->getPoint(1);
    EXPECT_EQ(second.xParamId, 21u);
    EXPECT_EQ(second.yParamId, 22u);
    EXPECT_EQ(second.width, gui::s(3));
    EXPECT_EQ(second.color, CColor(0, 220, 255, 255));
    const char* titles[3] = {"low", "mid", "hi"};
    for (int i = 0; i < 3; ++i) {
        auto* slider = dynamic_cast<gui::CTextSlider*>(box->getChildren()[2 + i]);
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->getTag(), 18 + i);
        EXPECT_EQ(slider->getFormat().format_text, titles[i]);
        EXPECT_EQ(view->getMixListener()->getControls()[i], slider);
    }

    // A host change on another thread shows at the next idle. Changes of 17..22 reach the view as the
    // nearest listener below them, as long as one is filed above (the delay knob in the window).
    NoListener delayKnob;
    params.addListener(&delayKnob);
    std::thread host([this] {
        params.setParamNormalized(21, 1.0);
        params.setParamNormalized(20, 0.5);
    });
    host.join();
    EXPECT_EQ(view->getPointPosition(1).x, 0.5);
    ASSERT_EQ(idleTasks.size(), 1u);
    idleTasks.front()();
    EXPECT_EQ(view->getPointPosition(1).x, 1.0);
    EXPECT_FLOAT_EQ(dynamic_cast<CControl*>(box->getChildren()[4])->getValue(), 0.125f);

    // Its texts go to the label.
    auto* low = dynamic_cast<CControl*>(box->getChildren()[2]);
    low->setValue(0.5f);
    low->valueChanged();
    EXPECT_EQ(label.last(), "filter low 50");
}

TEST_F(FilterAndGrainPlaces, GrainDisplayIsBoundAndTicked)
{
    gui::CGrainDisplay* display = makeGrainDisplay(context, *box, CRect(10, 20, 200, 60), &label);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(box->getChildren().back(), display);
    EXPECT_EQ(tooltipOf(*display), gui::tooltipFor(6));
    tickGrainDisplay(*display, 1000);
    EXPECT_EQ(label.last().rfind("density ", 0), 0u);
}

} // namespace
} // namespace korvel::views

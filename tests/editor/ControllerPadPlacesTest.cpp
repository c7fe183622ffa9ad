#include "EditorRig.h"
#include "editor/EditorViews.h"
#include "editor/GuiBridges.h"
#include "gui/CGroupbox.h"
#include "gui/ParamControllerView.h"
#include "gui/StaticPalettes.h"
#include "synth/ParamTable.h"
#include "synth/Synth.h"
#include "vstgui/FrameFixture.h"
#include "vstgui/lib/cframe.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace korvel::views {
namespace {

using namespace VSTGUI;

struct Status : gui::ITextReceiver {
    void receiveText(const UTF8String& text, CColor) override { texts.push_back(text.getString()); }
    std::vector<std::string> texts;
};

// An instance in a folder of its own and the context the window hands out, for a box of pads.
class ControllerPadPlaces : public VSTGUI::test::FrameFixture {
protected:
    ControllerPadPlaces()
    {
        frame->addView(box);
        box->setStatusReceiver(&boxStatus);
    }
    ~ControllerPadPlaces() override { params().clearListeners(); }

    veldro::SynthParams& params() { return rig.processor().getSynth().getParams(); }
    EditorContext context()
    {
        Processor& processor = rig.processor();
        return EditorContext{processor, processor.getSynth(), params(), gui::staticPalette(0),
                             gui::staticPalette(0), bridges, objects, idleTasks};
    }
    std::vector<gui::ParamControllerView*> pads() const
    {
        std::vector<gui::ParamControllerView*> found;
        for (uint32 i = 0; i < box->getNbViews(); ++i)
            if (auto* pad = dynamic_cast<gui::ParamControllerView*>(box->getView(i)))
                found.push_back(pad);
        return found;
    }

    test::EditorRig rig;
    veldro::GuiBridges bridges;
    WindowObjects objects;
    std::vector<std::function<void()>> idleTasks;
    gui::CGroupbox* box = new gui::CGroupbox(CRect(0., 0., 200., 100.), "box");
    Status boxStatus;
};

TEST_F(ControllerPadPlaces, OnePadPerControlSideBySide)
{
    const CRect covered = makeControllerViewFor(context(), *box, 4, CRect(10., 10., 50., 40.), 8., nullptr);
    EXPECT_EQ(covered, CRect(10., 10., 98., 40.));
    const auto made = pads();
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0]->getTag(), 83);
    EXPECT_EQ(made[1]->getTag(), 88);
    EXPECT_EQ(made[1]->getViewSize(), CRect(58., 10., 98., 40.));
    EXPECT_TRUE(made[0]->wantsFocus());
    EXPECT_EQ(idleTasks.size(), 2u);

    EXPECT_EQ(makeControllerViewFor(context(), *box, 15, CRect(0., 0., 5., 5.), 8., nullptr), CRect(0., 0., 5., 5.));
    EXPECT_EQ(pads().size(), 2u);
}

TEST_F(ControllerPadPlaces, PadsStartFromTheControlsKindAndPostToTheBox)
{
    params().setParam(123, 3.0, 0.0); // grain.attack's control becomes an LFO
    makeControllerViewFor(context(), *box, 9, CRect(10., 10., 70., 60.), 8., nullptr);
    ASSERT_EQ(pads().size(), 1u);
    gui::ParamControllerView* pad = pads()[0];
    ASSERT_NE(pad->getCurrent(), nullptr);
    EXPECT_EQ(pad->currentKind(), 3);
    EXPECT_TRUE(pad->getRateSlider()->isVisible());
    EXPECT_EQ(pad->getTextReceiver(), &boxStatus);
    EXPECT_FALSE(boxStatus.texts.empty());
    EXPECT_EQ(boxStatus.texts.back(), "LFO: X,Y sets shape. Freq slider 0-100 per sec");
}

TEST_F(ControllerPadPlaces, ListenOnlyToTheirOwnControlAndCatchUpAtTheIdle)
{
    Status own;
    makeControllerViewFor(context(), *box, 4, CRect(10., 10., 50., 40.), 8., &own);
    const auto made = pads();
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0]->getTextReceiver(), &own);

    // A program change on the audio thread: the pads wait for the idle.
    std::thread audio([this] {
        params().setParamNormalized(88, 1.0 / 8.0); // second control: random
    });
    audio.join();
    EXPECT_EQ(made[1]->currentKind(), 0);
    for (auto& task : idleTasks)
        task();
    EXPECT_EQ(made[1]->currentKind(), 1);
    EXPECT_EQ(made[0]->currentKind(), 0);
}

TEST_F(ControllerPadPlaces, LastPadHearsTheHostChangeItsSettings)
{
    makeControllerViewFor(context(), *box, 24, CRect(10., 10., 50., 40.), 8., nullptr); // delay.feedback: 168
    ASSERT_EQ(pads().size(), 1u);
    gui::ParamControllerView* pad = pads()[0];
    params().setParamNormalized(168, 1.0 / 8.0);
    ASSERT_EQ(pad->currentKind(), 1);
    params().setParamNormalized(170, 0.9); // its walk, the table's last but two ids
    double x = 0.;
    double y = 0.;
    gui::CCustomDrawXYPad::decode(pad->getValue(), x, y);
    EXPECT_NEAR(x, 0.9, 1e-3);
}

TEST(EditorWindowPads, EveryModulatedParameterShowsItsPadsSetUpFromTheSynthesizer)
{
    test::EditorRig rig;
    veldro::SynthParams& params = rig.processor().getSynth().getParams();
    Controller& editor = rig.editor();
    editor.open(nullptr);
    params.setParamNormalized(88, 1.0 / 8.0);  // the host makes grain.rate's second control random
    params.setParamNormalized(153, 3.0 / 8.0); // and filter.freq's an LFO
    std::set<int> expected;
    for (const auto& [id, info] : veldro::paramTable())
        for (int control = 0; control < info.nof_controls; ++control)
            expected.insert(info.control_id + 5 * control);
    ASSERT_EQ(expected.size(), 22u);

    std::set<int> found;
    for (CView* view : test::allViews(*editor.getFrame())) {
        auto* pad = dynamic_cast<gui::ParamControllerView*>(view);
        if (!pad)
            continue;
        found.insert(pad->getTag());
        ASSERT_NE(pad->getCurrent(), nullptr) << pad->getTag();
        const auto& info = veldro::getParamInfo(pad->getTag());
        EXPECT_EQ(pad->currentKind(), int(params.getBaseParam(info.parent->id).pushedControl(info.controlIndex, 0).type))
            << pad->getTag();
        auto* box = dynamic_cast<gui::CGroupbox*>(pad->getParentView());
        ASSERT_NE(box, nullptr) << pad->getTag();
        EXPECT_EQ(pad->getTextReceiver(), box->getStatusReceiver()) << pad->getTag();
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(params.getBaseParam(4).pushedControl(1, 0).type, 1u);
    EXPECT_EQ(params.getBaseParam(16).pushedControl(0, 0).type, 3u);
    editor.close();
}

} // namespace
} // namespace korvel::views

#include "editor/EditorViews.h"
#include "editor/GuiBridges.h"
#include "gui/CGroupbox.h"
#include "gui/ParamControllerView.h"
#include "gui/StaticPalettes.h"
#include "plugin/Processor.h"
#include "support/TempDir.h"
#include "synth/ParamTable.h"
#include "synth/Synth.h"
#include "vstgui/FrameFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
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

// A processor in a folder of its own (it reads "./veldro.json" there) and the context the window hands out.
class ControllerPadPlaces : public VSTGUI::test::FrameFixture {
protected:
    ControllerPadPlaces() : previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder.path());
        processor = std::make_unique<Processor>(nullptr);
        frame->addView(box);
        box->setStatusReceiver(&boxStatus);
    }
    ~ControllerPadPlaces() override
    {
        params().clearListeners();
        processor.reset();
        std::filesystem::current_path(previous);
    }

    veldro::SynthParams& params() { return processor->getSynth().getParams(); }
    EditorContext context()
    {
        return EditorContext{*processor, processor->getSynth(), params(), gui::staticPalette(0),
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

    testing_support::TempDir folder;
    std::filesystem::path previous;
    std::unique_ptr<Processor> processor;
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

} // namespace
} // namespace korvel::views

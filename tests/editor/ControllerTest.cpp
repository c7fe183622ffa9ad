// The editor window on an offscreen frame, bound to a real instance.
#include "EditorRig.h"

#include "DemoContent.h"
#include "gui/CGroupbox.h"
#include "gui/ColourTable.h"
#include "patch/StateText.h"
#include "synth/ParamTable.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ctextbutton.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace korvel::test {
namespace {

using namespace VSTGUI;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

CControl* controlWithTag(const CViewContainer& container, int tag)
{
    for (CView* view : allViews(container))
        if (auto* control = dynamic_cast<CControl*>(view); control && control->getTag() == tag)
            return control;
    return nullptr;
}

CTextButton* buttonWithTag(const CViewContainer& container, int tag)
{
    return dynamic_cast<CTextButton*>(controlWithTag(container, tag));
}

// The live slot as the state text holds it.
std::string liveSlotText(Processor& processor)
{
    const std::string state = veldro::serialize(processor.getSynth().getParams());
    const auto start = state.find("\"patch.1\"");
    return start == std::string::npos ? std::string() : state.substr(start, state.find("\"patch.", start + 1) - start);
}

TEST(EditorWindow, ReportsItsSizeBeforeAndAfterOpening)
{
    EditorRig rig;
    ERect* rect = nullptr;
    ASSERT_TRUE(rig.editor().getRect(&rect));
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 573);
    EXPECT_EQ(rect->right, 1040);
    ASSERT_TRUE(rig.editor().open(nullptr));
    ASSERT_TRUE(rig.editor().getRect(&rect));
    EXPECT_EQ(rect->bottom, 573);
    EXPECT_EQ(rect->right, 1040);
    EXPECT_TRUE(rig.processor().getAeffect()->flags & effFlagsHasEditor);
    rig.editor().close();
}

TEST(EditorWindow, HasFiveTitledBoxesAtTheirPlaces)
{
    EditorRig rig;
    rig.editor().open(nullptr);
    CFrame* frame = rig.editor().getFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 1040, 573));
    EXPECT_EQ(frame->getBackgroundColor(), gui::colourTable().palette().background);
    EXPECT_TRUE(frame->focusDrawingEnabled());
    EXPECT_EQ(frame->getFocusColor(), gui::colourTable().colour("cie.blue"));
    EXPECT_EQ(frame->getFocusWidth(), 2.0);

    std::vector<std::pair<std::string, CRect>> boxes;
    for (gui::CGroupbox* box : rig.editor().getBoxes())
        boxes.emplace_back(box->getTitle(), box->getViewSize());
    EXPECT_THAT(boxes, ElementsAre(std::pair<std::string, CRect>{"Control / MIDI", {4, 4, 196, 326}},
                                   std::pair<std::string, CRect>{"Soundfile", {200, 4, 580, 326}},
                                   std::pair<std::string, CRect>{"Grains", {584, 4, 1032, 326}},
                                   std::pair<std::string, CRect>{"Patches", {4, 326, 580, 563}},
                                   std::pair<std::string, CRect>{"Processing", {584, 326, 1032, 563}}));
    for (gui::CGroupbox* box : rig.editor().getBoxes()) {
        EXPECT_EQ(box->getParentView(), frame);
        EXPECT_NE(box->getStatusReceiver(), nullptr) << box->getTitle();
    }
    rig.editor().close();
}

TEST(EditorWindow, LabelsShowTheDefaultsOfAFreshInstance)
{
    EditorRig rig;
    rig.editor().open(nullptr);
    const auto texts = displayTexts(*rig.editor().getFrame());
    for (const char* expected : {"rate 20.0 / s", "length 100.0 ms", "play-rate 1.000", "time 1.00 s",
                                 "gliss 0.000 semi", "delay feedback 0.00",
                                 "Patches: Click to use, Shift-click to store, right-click for options"})
        EXPECT_THAT(texts, Contains(std::string(expected)));
    rig.editor().close();
}

TEST(EditorWindow, OptionButtonsShowTheirParametersAndSayWhatTheyDo)
{
    EditorRig rig;
    rig.editor().open(nullptr);
    CFrame& frame = *rig.editor().getFrame();
    CTextButton* soundfile = buttonWithTag(frame, 59);
    CTextButton* controls = buttonWithTag(frame, 60);
    CTextButton* adsr = buttonWithTag(frame, 61);
    ASSERT_TRUE(soundfile && controls && adsr);
    EXPECT_EQ(soundfile->getValue(), 1.0f);
    EXPECT_EQ(controls->getValue(), 1.0f);
    EXPECT_EQ(adsr->getValue(), 0.0f);

    const auto click = [&](CTextButton* button) {
        const CPoint centre = button->getViewSize().getCenter() + button->getParentView()->getViewSize().getTopLeft();
        frame.platformOnMouseDown(centre, CButtonState(kLButton));
        frame.platformOnMouseUp(centre, CButtonState(kLButton));
    };
    auto* status = dynamic_cast<CTextButton*>(dynamic_cast<CView*>(rig.editor().getBoxes()[3]->getStatusReceiver()));
    ASSERT_NE(status, nullptr);
    click(soundfile);
    EXPECT_EQ(rig.processor().getSynth().getParams().getParam(59).second, 0.0);
    EXPECT_EQ(status->getTitle().getString(), "DO NOT switch soundfile with patch");
    click(adsr);
    EXPECT_EQ(rig.processor().getSynth().getParams().getParam(61).second, 1.0);
    EXPECT_EQ(status->getTitle().getString(), "Change ADSR with patch");
    rig.editor().close();
}

TEST(EditorWindow, StartStateDependsOnTheEngineAndTheLiveSlot)
{
    constexpr int RATE_ID = 4;
    {
        // Stopped, with a live slot: recalled at once.
        EditorRig rig;
        veldro::SynthParams& params = rig.processor().getSynth().getParams();
        params.setParamImmediate(RATE_ID, 50.0);
        params.storePatch(Processor::LIVE_SLOT, false, veldro::MASK_ALL);
        params.setParamImmediate(RATE_ID, 7.0);
        rig.editor().open(nullptr);
        EXPECT_EQ(params.getParam(RATE_ID), std::make_pair(50.0, 50.0));
        EXPECT_EQ(rig.processor().getFadeState(), Processor::FADE_IN);
        rig.editor().close();
    }
    {
        // Stopped, no live slot: defaults.
        EditorRig rig;
        veldro::SynthParams& params = rig.processor().getSynth().getParams();
        params.setParamImmediate(RATE_ID, 7.0);
        rig.editor().open(nullptr);
        EXPECT_EQ(params.getParam(RATE_ID).second, 20.0);
        rig.editor().close();
    }
    {
        // Running: what plays stays, and keeps playing at full level.
        EditorRig rig;
        rig.loadAndWait(rig.chord("a.wav"));
        veldro::SynthParams& params = rig.processor().getSynth().getParams();
        params.setParamImmediate(RATE_ID, 50.0);
        params.storePatch(Processor::LIVE_SLOT, false, veldro::MASK_ALL);
        params.setParamImmediate(RATE_ID, 7.0);
        rig.processor().resume();
        rig.render(2);
        ASSERT_EQ(rig.processor().getFadeState(), Processor::PLAYING);
        rig.editor().open(nullptr);
        EXPECT_EQ(params.getParam(RATE_ID).second, 7.0);
        EXPECT_EQ(rig.processor().getFadeState(), Processor::PLAYING);
        rig.editor().close();
    }
}

TEST(EditorWindow, CloseStoresTheLiveSlotAndWritesTheStateFileOnlyWhileItIsInUse)
{
    EditorRig rig;
    rig.editor().open(nullptr);
    veldro::SynthParams& params = rig.processor().getSynth().getParams();
    params.setParamImmediate(4, 33.0);
    rig.editor().close();
    EXPECT_EQ(params.getPatch(Processor::LIVE_SLOT).params[4].value, 33.0);
    EXPECT_THAT(readFile("veldro.json"), HasSubstr("\"patch.1\""));

    // A patch file saved elsewhere takes the state file out of use.
    std::filesystem::rename("veldro.json", rig.file("elsewhere.json"));
    rig.processor().getStateStore().loadPatchFile(rig.file("elsewhere.json").string());
    ASSERT_FALSE(rig.processor().getStateStore().isDefaultPath());
    rig.editor().open(nullptr);
    rig.editor().close();
    EXPECT_FALSE(std::filesystem::exists("veldro.json"));
}

TEST(EditorWindow, ALiveSlotWaitingForItsSoundIsNeverOverwritten)
{
    EditorRig rig;
    rig.writeStateFile(demo::makeState({{1, rig.file("missing.wav"), {{"grain.rate", 61.0}}}}));
    const std::string stored = liveSlotText(rig.processor());
    ASSERT_THAT(stored, HasSubstr("missing.wav"));
    EXPECT_FALSE(rig.processor().isLiveStateRestored());
    for (int round = 0; round < 2; ++round) {
        rig.editor().open(nullptr);
        rig.editor().idle();
        rig.editor().close();
    }
    void* chunk = nullptr;
    rig.processor().getChunk(&chunk, false);
    EXPECT_EQ(liveSlotText(rig.processor()), stored);
    EXPECT_THAT(readFile("veldro.json"), HasSubstr("missing.wav"));

    // The user's own sound takes over: from then on the live slot follows the live state.
    rig.loadAndWait(rig.chord("mine.wav"));
    EXPECT_TRUE(rig.processor().isLiveStateRestored());
    rig.processor().getChunk(&chunk, false);
    EXPECT_THAT(liveSlotText(rig.processor()), HasSubstr("mine.wav"));
}

TEST(EditorWindow, ChunkCarriesAnEditMadeWhileTheWindowIsOpen)
{
    EditorRig rig;
    rig.editor().open(nullptr);
    CControl* rate = controlWithTag(*rig.editor().getFrame(), 4);
    ASSERT_NE(rate, nullptr);
    rate->setValue(0.8f);
    rate->valueChanged();
    const double edited = rig.processor().getSynth().getParams().getParam(4).second;
    ASSERT_NE(edited, 20.0);
    void* chunk = nullptr;
    const VstInt32 size = rig.processor().getChunk(&chunk, false);
    veldro::Synth other;
    other.getParams().setPatchCount(Processor::NUM_PATCH_SLOTS);
    ASSERT_TRUE(veldro::deserialize(other.getParams(), std::string(static_cast<char*>(chunk), size)));
    EXPECT_NEAR(other.getParams().getPatch(Processor::LIVE_SLOT).params[4].value, edited, 1e-6 * edited);
    rig.editor().close();
}

TEST(EditorWindow, SurvivesIdleAndCloseWithoutOpenAndOpeningTwice)
{
    EditorRig rig;
    rig.editor().idle();
    rig.editor().close();
    rig.editor().open(nullptr);
    rig.editor().open(nullptr);
    rig.editor().idle();
    rig.editor().close();
    rig.editor().idle();
    rig.editor().close();
    rig.editor().open(nullptr);
    rig.editor().idle();
    // Destroyed with the window open: released, nothing stored or written.
    const std::string written = readFile("veldro.json");
    rig.processor().getSynth().getParams().setParamImmediate(4, 44.0);
    rig.destroy();
    EXPECT_EQ(readFile("veldro.json"), written);
}

} // namespace
} // namespace korvel::test

namespace korvel::test {
namespace {

TEST(LiveSlot, AnUnchangedLiveStateKeepsItsStoreTimeInTheChunk)
{
    EditorRig rig;
    Processor& processor = rig.processor();
    veldro::SynthParams& params = processor.getSynth().getParams();
    void* chunk = nullptr;
    processor.getChunk(&chunk, false);
    veldro::Patch aged = params.getPatch(Processor::LIVE_SLOT);
    ASSERT_FALSE(aged.isEmpty());
    aged.params[veldro::Patch::TIMESTAMP].value -= 100.0;
    params.setPatch(Processor::LIVE_SLOT, aged);

    // Hosts ask for chunks to see whether the project changed: the same state gives the same chunk.
    const VstInt32 size = processor.getChunk(&chunk, false);
    const std::string first(static_cast<char*>(chunk), size);
    EXPECT_EQ(params.getPatch(Processor::LIVE_SLOT), aged);
    const VstInt32 again = processor.getChunk(&chunk, false);
    EXPECT_EQ(std::string(static_cast<char*>(chunk), again), first);

    params.setParamImmediate(4, 31.0);
    processor.getChunk(&chunk, false);
    EXPECT_EQ(params.getPatch(Processor::LIVE_SLOT).params[4].value, 31.0);
    EXPECT_GT(params.getPatch(Processor::LIVE_SLOT).storeTime(), aged.storeTime());
}

} // namespace
} // namespace korvel::test

// The breakpoint editors in the editor window on an offscreen frame, bound to a real instance.
#include "EditorRig.h"

#include "gui/CBreakpoints.h"
#include "gui/CGroupbox.h"
#include "synth/SynthParamIds.h"
#include "vstgui/lib/cframe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>

namespace korvel::test {
namespace {

using namespace VSTGUI;

gui::CBreakpoints* editorWithTag(const CViewContainer& container, int tag)
{
    for (CView* view : allViews(container))
        if (auto* editor = dynamic_cast<gui::CBreakpoints*>(view); editor && editor->getTag() == tag)
            return editor;
    return nullptr;
}

// Where the point is drawn, in frame coordinates (frame width 2).
CPoint onFrame(const gui::CBreakpoints& editor, const CPoint& point)
{
    const CRect& r = editor.getViewSize();
    CPoint where(r.left + 2 + point.x * (r.getWidth() - 4), r.bottom - 2 - point.y * (r.getHeight() - 4));
    return editor.localToFrame(where);
}

class BreakpointPlaces : public ::testing::Test {
protected:
    BreakpointPlaces()
    {
        rig.editor().open(nullptr);
        frame = rig.editor().getFrame();
    }
    ~BreakpointPlaces() override { rig.editor().close(); }

    veldro::SynthParams& params() { return rig.processor().getSynth().getParams(); }

    EditorRig rig;
    CFrame* frame = nullptr;
};

TEST_F(BreakpointPlaces, WindowHasTheGrainAndBothKeyboardEnvelopesInTheirBoxes)
{
    ASSERT_NE(frame, nullptr);
    for (int tag : {veldro::param_id::ADSR1_FIRST, veldro::param_id::ADSR2_FIRST}) {
        gui::CBreakpoints* editor = editorWithTag(*frame, tag);
        ASSERT_NE(editor, nullptr) << tag;
        EXPECT_EQ(editor->getPoints().size(), 5u);
        EXPECT_EQ(dynamic_cast<gui::CGroupbox*>(editor->getParentView())->getTitle(), "Control / MIDI");
        EXPECT_EQ(editor->getPoints()[4], CPoint(1, 0));
    }
    gui::CBreakpoints* grain = editorWithTag(*frame, veldro::param_id::GRAIN_ATTACK);
    ASSERT_NE(grain, nullptr);
    EXPECT_EQ(grain->getPoints().size(), 4u);
    EXPECT_EQ(dynamic_cast<gui::CGroupbox*>(grain->getParentView())->getTitle(), "Grains");
    EXPECT_EQ(grain->getPoints()[1], CPoint(0.5, 1));
}

TEST_F(BreakpointPlaces, DragInTheWindowSetsTheEnvelopeInsideTheHostGesturesOfTheLevelsItMoves)
{
    gui::CBreakpoints* editor = editorWithTag(*frame, veldro::param_id::ADSR2_FIRST);
    ASSERT_NE(editor, nullptr);
    const int sustain = veldro::param_id::ADSR2_FIRST + 3 * 2 + 1;
    EditorRig::hostCalls().clear();
    const CPoint decay = editor->getPoints()[2];
    frame->platformOnMouseDown(onFrame(*editor, decay), kLButton);
    frame->platformOnMouseMoved(onFrame(*editor, {decay.x, 0.1}), kLButton);
    frame->platformOnMouseUp(onFrame(*editor, {decay.x, 0.1}), kLButton);

    EXPECT_NEAR(params().getParam(sustain).second, 0.1, 0.02); // within a pixel
    EXPECT_EQ(params().getParam(sustain).second, params().getParam(sustain + 3).second);
    const HostLog edits = EditorRig::hostEdits();
    EXPECT_EQ(hostEditFaults(edits), HostLog{});
    EXPECT_EQ(automatedIds(edits), (std::set<int>{sustain, sustain + 3}));
    EXPECT_EQ(gesturesOf(edits), (HostLog{"begin 47", "begin 50", "end 50", "end 47"}));
}

TEST_F(BreakpointPlaces, HostChangeFromAnotherThreadIsDrawnAtTheNextIdle)
{
    gui::CBreakpoints* editor = editorWithTag(*frame, veldro::param_id::ADSR1_FIRST);
    ASSERT_NE(editor, nullptr);
    const int sustain = veldro::param_id::ADSR1_FIRST + 3 * 2 + 1;
    const double before = editor->getPoints()[2].y;
    std::thread([this, sustain] { params().setParamNormalized(sustain, 0.5); }).join();
    EXPECT_EQ(editor->getPoints()[2].y, before);
    rig.editor().idle();
    EXPECT_EQ(editor->getPoints()[2].y, params().getParam(sustain).second);
    EXPECT_NE(editor->getPoints()[2].y, before);
}

} // namespace
} // namespace korvel::test

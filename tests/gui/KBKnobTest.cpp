#include "gui/CKBKnob.h"

#include "vstgui/lib/cgraphicspath.h"

#include <gtest/gtest.h>

#include <numbers>

namespace korvel::gui {
namespace {

using namespace VSTGUI;
using Element = CGraphicsPath::Element;

struct ScriptedHandler : IKeyboardHandler {
    int32 onKeyDown(VstKeyCode&, CControl* control) override
    {
        seen = control;
        if (result == KEY_USED)
            control->setValue(0.75f);
        return result;
    }
    int32 onKeyUp(VstKeyCode&, CControl*) override { return -1; }

    int32 result = KEY_USED;
    CControl* seen = nullptr;
};

struct CountingListener : IControlListener {
    void valueChanged(CControl*) override { ++changes; }
    int changes = 0;
};

class KBKnob : public ::testing::Test {
protected:
    KBKnob() { knob->setDrawStyle(CKnob::kCoronaDrawing); }

    CountingListener listener;
    SharedPointer<CKBKnob> knob = owned(new CKBKnob({0, 0, 60, 80}, &listener, 7));
};

TEST_F(KBKnob, UsedKeyIsHandledWithoutASecondWrite)
{
    ScriptedHandler handler;
    knob->setKeyHandler(&handler);
    VstKeyCode up{0, VKEY_UP, 0};
    EXPECT_EQ(knob->onKeyDown(up), 1);
    EXPECT_EQ(handler.seen, knob.get());
    EXPECT_EQ(knob->getValue(), 0.75f);
    EXPECT_EQ(listener.changes, 0); // the handler wrote the parameter itself
}

TEST_F(KBKnob, UnusedKeyIsLeftToOthers)
{
    ScriptedHandler handler;
    handler.result = IKeyboardHandler::KEY_NOT_USED;
    knob->setKeyHandler(&handler);
    VstKeyCode tab{0, VKEY_TAB, 0};
    EXPECT_EQ(knob->onKeyDown(tab), -1);
    EXPECT_EQ(listener.changes, 0);
}

TEST_F(KBKnob, WithoutHandlerActsAsAPlainKnob)
{
    knob->setValue(0.5f);
    VstKeyCode up{0, VKEY_UP, 0};
    EXPECT_EQ(knob->onKeyDown(up), 1);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.6f);
    EXPECT_EQ(listener.changes, 1);
}

struct FocusCase {
    double start;
    double range;
    double bottom;
};

class KnobFocus : public ::testing::TestWithParam<FocusCase> {};

TEST_P(KnobFocus, IsARoundedRectStoppingShortOfAnOpenBottom)
{
    CKBKnob knob({10, 20, 70, 120}, nullptr, 1);
    knob.setDrawStyle(CKnob::kCoronaDrawing | CKnob::kCoronaOutline);
    knob.setStartAngle(float(GetParam().start));
    knob.setRangeAngle(float(GetParam().range));
    CGraphicsPath path;
    ASSERT_TRUE(knob.getFocusPath(path));
    EXPECT_FALSE(knob.drawFocusOnTop());
    CGraphicsPath expected;
    expected.addRoundRect({10, 20, 70, GetParam().bottom}, 6);
    ASSERT_EQ(path.getElements().size(), expected.getElements().size());
    for (std::size_t i = 0; i < expected.getElements().size(); ++i) {
        EXPECT_EQ(path.getElements()[i].kind, expected.getElements()[i].kind) << i;
        EXPECT_EQ(path.getElements()[i].rect, expected.getElements()[i].rect) << i;
        EXPECT_EQ(path.getElements()[i].points[0], expected.getElements()[i].points[0]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(CKBKnob, KnobFocus,
                         ::testing::Values(FocusCase{2 * std::numbers::pi / 3, 5 * std::numbers::pi / 3, 112},
                                           FocusCase{1.0, 5.0, 120},   // start not beyond 1 rad
                                           FocusCase{2.0, 6.0, 120})); // arc closed

} // namespace
} // namespace korvel::gui

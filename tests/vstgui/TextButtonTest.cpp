#include "FrameFixture.h"

namespace VSTGUI::test {
namespace {

class ValueLog : public IControlListener {
public:
    void valueChanged(CControl* control) override { values.push_back(control->getValue()); }
    std::vector<float> values;
};

class TextButtonTest : public FrameFixture {
protected:
    CTextButton* button(CTextButton::Style style)
    {
        return add(new CTextButton(CRect(10., 10., 60., 30.), &listener, 20, "go", style));
    }
    ValueLog listener;
};

TEST_F(TextButtonTest, KickReportsMaxThenMinOnAReleaseInside)
{
    auto* b = button(CTextButton::kKickStyle);
    press(CPoint(20., 20.));
    EXPECT_EQ(b->getValue(), 1.f) << "lit while held inside";
    release(CPoint(20., 20.));
    EXPECT_EQ(listener.values, (std::vector<float>{1.f, 0.f}));
    EXPECT_EQ(b->getValue(), 0.f);
    EXPECT_EQ(editor.log, (testing::GestureLog{"begin 20", "end 20"}));
}

TEST_F(TextButtonTest, KickReleasedOutsideReportsNothing)
{
    auto* b = button(CTextButton::kKickStyle);
    press(CPoint(20., 20.));
    move(CPoint(100., 80.));
    EXPECT_EQ(b->getValue(), 0.f);
    release(CPoint(100., 80.));
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(editor.log, (testing::GestureLog{"begin 20", "end 20"}));
}

TEST_F(TextButtonTest, OnOffTogglesOnRelease)
{
    auto* b = button(CTextButton::kOnOffStyle);
    click(CPoint(20., 20.));
    EXPECT_EQ(b->getValue(), 1.f);
    now += 1000;
    click(CPoint(20., 20.));
    EXPECT_EQ(b->getValue(), 0.f);
    EXPECT_EQ(listener.values, (std::vector<float>{1.f, 0.f}));
}

TEST_F(TextButtonTest, CancelRestoresTheEntryState)
{
    auto* b = button(CTextButton::kOnOffStyle);
    b->setValue(1.f);
    press(CPoint(20., 20.));
    frame->platformOnMouseCancel();
    EXPECT_EQ(b->getValue(), 1.f);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(editor.log.back(), "end 20");
}

TEST_F(TextButtonTest, SetTitleInvalidates)
{
    auto* b = button(CTextButton::kKickStyle);
    frame->idle();
    b->setTitle("stop");
    EXPECT_EQ(frame->getInvalidRects(), (std::vector<CRect>{CRect(10., 10., 60., 30.)}));
}

// The editor binding: gestures reach the host callback once per drag, for parameters only.
class GuiEditor : public AEffGUIEditor {
public:
    explicit GuiEditor(AudioEffect* effect) : AEffGUIEditor(effect) {}
    bool open(void* parent) override
    {
        AEffGUIEditor::open(parent);
        frame = new CFrame(CRect(0., 0., 100., 100.), this);
        frame->open(nullptr);
        rect = ERect{0, 0, 100, 100};
        return true;
    }
    void close() override
    {
        frame->close();
        frame->forget();
        frame = nullptr;
        AEffGUIEditor::close();
    }
};

TEST(AEffGUIEditorTest, DragGesturesReachTheHostOncePerDrag)
{
    testing::FakeHostEffect effect(10);
    GuiEditor editor(&effect);
    ERect* rect = nullptr;
    ASSERT_TRUE(editor.getRect(&rect));
    EXPECT_EQ(rect->right, 0);
    editor.open(nullptr);
    auto* knob = new CKnob(CRect(0., 0., 40., 40.), nullptr, 3, nullptr, nullptr);
    auto* outOfRange = new CKnob(CRect(50., 0., 90., 40.), nullptr, 10, nullptr, nullptr);
    editor.getFrame()->addView(knob);
    editor.getFrame()->addView(outOfRange);
    editor.setKnobMode(kLinearMode);
    CFrame* frame = editor.getFrame();
    frame->platformOnMouseDown(CPoint(20., 20.), kLButton);
    for (int y = 19; y > 0; --y)
        frame->platformOnMouseMoved(CPoint(20., y), kLButton);
    frame->platformOnMouseUp(CPoint(20., 1.), kLButton);
    frame->platformOnMouseDown(CPoint(60., 20.), kLButton);
    frame->platformOnMouseUp(CPoint(60., 20.), kLButton);
    EXPECT_EQ(effect.log, (testing::GestureLog{"begin 3", "end 3"}));
    EXPECT_GT(knob->getValue(), 0.f);
    editor.idle();
    editor.close();
    editor.setKnobMode(kCircularMode);
}

TEST(AEffGUIEditorTest, KeysAnswerTrueOnlyWhenHandled)
{
    testing::FakeHostEffect effect(10);
    GuiEditor editor(&effect);
    VstKeyCode up{0, VKEY_UP, 0};
    EXPECT_FALSE(editor.onKeyDown(up)) << "no frame";
    editor.open(nullptr);
    auto* knob = new CKnob(CRect(0., 0., 40., 40.), nullptr, 3, nullptr, nullptr);
    editor.getFrame()->addView(knob);
    editor.getFrame()->setFocusView(knob);
    EXPECT_TRUE(editor.onKeyDown(up));
    VstKeyCode letter{'a', 0, 0};
    EXPECT_FALSE(editor.onKeyDown(letter));
    EXPECT_EQ(effect.log, (testing::GestureLog{"begin 3", "end 3"}));
    editor.close();
}

TEST(AEffGUIEditorTest, KnobModeIsProcessWide)
{
    testing::FakeHostEffect effect(1);
    GuiEditor first(&effect);
    GuiEditor second(&effect);
    first.setKnobMode(kLinearMode);
    EXPECT_EQ(second.getKnobMode(), kLinearMode);
    second.setKnobMode(kCircularMode);
    EXPECT_EQ(first.getKnobMode(), kCircularMode);
}

TEST(AEffGUIEditorTest, DoIdleStuffGivesTheHostAnIdleCall)
{
    testing::FakeHostEffect effect(1);
    GuiEditor editor(&effect);
    editor.doIdleStuff();
    EXPECT_EQ(effect.idleCalls, 1);
}

} // namespace
} // namespace VSTGUI::test

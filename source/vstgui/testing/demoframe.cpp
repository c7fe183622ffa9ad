#include "vstgui/testing/demoframe.h"

#include "vstgui/vstgui.h"

#include <numbers>

namespace VSTGUI::testing {

namespace {

CViewContainer* makeBox(const CRect& rect)
{
    auto* box = new CViewContainer(rect);
    box->setBackgroundColor(CColor(68, 75, 78));
    return box;
}

CKnob* makeKnob(const CRect& rect, int32 style, float value)
{
    auto* knob = new CKnob(rect, nullptr, 1, nullptr, nullptr, CPoint(), style);
    knob->setCoronaColor(kDemoAccent);
    knob->setColorShadowHandle(CColor(80, 80, 80));
    knob->setStartAngle(static_cast<float>(2. * std::numbers::pi / 3.));
    knob->setRangeAngle(static_cast<float>(5. * std::numbers::pi / 3.));
    knob->setHandleLineWidth(0.2 * rect.getWidth());
    knob->setCoronaInset(knob->getCoronaOutlineWidthAdd() + 0.1 * rect.getWidth());
    knob->setValue(value);
    return knob;
}

} // namespace

SharedPointer<CFrame> makeDemoFrame()
{
    auto frame = owned(new CFrame(CRect(0., 0., 420., 200.), nullptr));
    if (!frame->open(nullptr))
        return nullptr;
    frame->setBackgroundColor(kDemoBackground);
    frame->setFocusDrawingEnabled(true);
    frame->setFocusColor(CColor(0, 240, 255));

    auto* knobs = makeBox(CRect(10., 10., 150., 90.));
    knobs->addView(makeKnob(CRect(10., 10., 70., 70.), 226, 0.7f));
    knobs->addView(makeKnob(CRect(75., 10., 135., 70.), 226 | CKnob::kCoronaFromCenter, 0.3f));
    frame->addView(knobs);

    auto* pad = new CXYPad(CRect(160., 10., 250., 90.));
    pad->setBackColor(CColor(20, 90, 110));
    pad->setFrameColor(kDemoAccent);
    pad->setFontColor(kDemoAccent);
    pad->setValue(CXYPad::calculateValue(0.25f, 0.6f));
    frame->addView(pad);

    auto* slider = new CSlider(CRect(260., 10., 410., 24.), nullptr, 2, 258, 412, nullptr, nullptr);
    slider->setBackColor(CColor(80, 80, 80));
    slider->setValueColor(kDemoAccent);
    slider->setValue(0.4f);
    frame->addView(slider);

    auto* display = new CParamDisplay(CRect(260., 34., 410., 54.), nullptr, kRoundRectStyle);
    display->setBackColor(CColor(80, 80, 80));
    display->setFrameColor(kDemoAccent);
    frame->addView(display);

    auto* menu = new COptionMenu(CRect(260., 64., 410., 90.), nullptr, 10, nullptr, nullptr, kCheckStyle);
    for (const char* title : {"None", "Random", "LFO Shaped oscil"})
        menu->addEntry(title);
    menu->setCurrent(1);
    frame->addView(menu);

    auto* kick = new CTextButton(CRect(10., 110., 140., 134.), nullptr, -1, "patch drop");
    kick->setTextColor(kDemoAccent);
    kick->setFrameColor(kDemoAccent);
    kick->setFrameWidth(1.5);
    frame->addView(kick);
    auto* toggle = new CTextButton(CRect(150., 110., 280., 134.), nullptr, -1, "on/off",
                                   CTextButton::kOnOffStyle);
    toggle->setValue(1.f);
    frame->addView(toggle);
    frame->setFocusView(toggle);

    frame->idle();
    return frame;
}

} // namespace VSTGUI::testing

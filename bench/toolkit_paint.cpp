// Full repaint of an editor-sized frame: 1040x573 with 100 knobs, 20 text buttons and 5 titled,
// rounded group containers, painted offscreen on one core.

#include "vstgui/vstgui.h"

#include <benchmark/benchmark.h>

#include <numbers>

namespace {

using namespace VSTGUI;

// Drawn like the editor's group boxes: a stroked and filled rounded frame with a title tab.
class GroupLike : public CViewContainer {
public:
    GroupLike(const CRect& size, const char* title) : CViewContainer(size), title(title) {}

    void drawBackgroundRect(CDrawContext* context, const CRect&) override
    {
        if (!framePath) {
            framePath = owned(context->createGraphicsPath());
            framePath->addRoundRect(CRect(4., 22., getWidth() - 4., getHeight() - 4.), 16.);
        }
        context->setDrawMode(kAntiAliasing);
        context->setLineWidth(4.);
        context->setFillColor(getBackgroundColor());
        context->setFrameColor(CColor(255, 122, 0));
        context->drawGraphicsPath(framePath, CDrawContext::kPathStroked);
        context->drawGraphicsPath(framePath, CDrawContext::kPathFilled);
        context->setFont(kNormalFontBig);
        context->setFontColor(CColor(255, 122, 0));
        const CCoord width = context->getStringWidth(title);
        context->drawRect(CRect(24., 0., 28. + width, 15.), kDrawFilled);
        context->drawString(title, CPoint(26., 12.));
    }

private:
    UTF8String title;
    SharedPointer<CGraphicsPath> framePath;
};

SharedPointer<CFrame> makeEditorSizedFrame()
{
    auto frame = owned(new CFrame(CRect(0., 0., 1040., 573.), nullptr));
    frame->open(nullptr);
    frame->setBackgroundColor(CColor(50, 54, 57));
    const CRect boxes[] = {{4., 4., 196., 326.}, {200., 4., 580., 326.}, {584., 4., 1032., 326.},
                           {4., 326., 580., 563.}, {584., 326., 1032., 563.}};
    const int knobsPerBox[] = {12, 18, 28, 18, 24};
    const int buttonsPerBox[] = {4, 4, 4, 4, 4};
    for (int b = 0; b < 5; ++b) {
        auto* box = new GroupLike(boxes[b], "Grains");
        box->setBackgroundColor(CColor(50, 54, 57));
        const int columns = static_cast<int>((boxes[b].getWidth() - 16.) / 62.);
        for (int k = 0; k < knobsPerBox[b]; ++k) {
            const CCoord x = 8. + (k % columns) * 62.;
            const CCoord y = 28. + (k / columns) * 62.;
            auto* knob = new CKnob(CRect(x, y, x + 60., y + 60.), nullptr, k, nullptr, nullptr, CPoint(),
                                   k % 2 ? 226 : 226 | CKnob::kCoronaFromCenter);
            knob->setHandleLineWidth(12.);
            knob->setCoronaInset(8.);
            knob->setStartAngle(static_cast<float>(2. * std::numbers::pi / 3.));
            knob->setRangeAngle(static_cast<float>(5. * std::numbers::pi / 3.));
            knob->setCoronaColor(CColor(255, 122, 0));
            knob->setValue(static_cast<float>(k % 10) / 10.f);
            box->addView(knob);
        }
        for (int t = 0; t < buttonsPerBox[b]; ++t) {
            const CCoord x = 8. + t * 44.;
            const CCoord y = boxes[b].getHeight() - 24.;
            box->addView(new CTextButton(CRect(x, y, x + 40., y + 16.), nullptr, -1, "text"));
        }
        frame->addView(box);
    }
    frame->idle();
    return frame;
}

void BM_FullPaint(benchmark::State& state)
{
    auto frame = makeEditorSizedFrame();
    for (auto _ : state) {
        frame->invalid();
        frame->paintInvalidRects();
    }
    frame->close();
}
BENCHMARK(BM_FullPaint)->Unit(benchmark::kMillisecond);

} // namespace

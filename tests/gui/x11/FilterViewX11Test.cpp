// The filter view in a frame embedded in a real X window of a private Xvfb, dragged with pointer and key
// events that another client sends, as a host's window would pass them on.

#include "gui/CFilterView.h"
#include "gui/StaticPalettes.h"
#include "synth/Synth.h"
#include "vstgui/lib/cframe.h"

#include "X11FrameTest.h"

#include <X11/keysym.h>

#include <cmath>
#include <functional>
#include <set>

namespace korvel::gui {
namespace {

using namespace VSTGUI;

constexpr unsigned long HANDLE_PIXEL = 0x00dcff; // the points' colour (0, 220, 255)

CMultiPointXYPad::Point filterPoint(unsigned cutoffId, unsigned widthId)
{
    CMultiPointXYPad::Point point;
    point.xParamId = cutoffId;
    point.yParamId = widthId;
    point.width = point.height = 6;
    point.color = CColor(0, 220, 255, 255);
    return point;
}

class FilterViewX11 : public x11_testing::X11FrameTest {
protected:
    void SetUp() override
    {
        makeFrame(220, 120);
        if (!hostReady())
            return;

        params.setHostNotify([this](int id, float) { reported.insert(id); });
        params.setParam(16, 200.0, 0.0);
        params.setParam(17, 0.8, 0.0);
        params.setParam(21, 3000.0, 0.0);
        params.setParam(22, 0.3, 0.0);
        view = new CFilterView(CRect(10, 10, 210, 110), 16, filterViewColours);
        view->setParams(&params);
        view->setPoints({filterPoint(16, 17), filterPoint(21, 22)});
        params.addListener(view);
        params.notifyListeners(0x27F);
        frame->addView(view);
        showFrame();
        reported.clear();
    }

    void TearDown() override
    {
        params.clearListeners();
        X11FrameTest::TearDown();
    }

    unsigned long pixelAt(CPoint where) { return host->pixelAt(frameWindow, int(where.x), int(where.y)); }
    void press(CPoint where) { host->button(frameWindow, ButtonPress, int(where.x), int(where.y), 0); }
    void release(CPoint where) { host->button(frameWindow, ButtonRelease, int(where.x), int(where.y), Button1Mask); }
    void drag(CPoint where) { host->motion(frameWindow, int(where.x), int(where.y)); }

    // The window pixel under the centre of point `index`'s handle (194 x 94 pixels of travel from (13, 13)).
    CPoint handleCentre(int index) const
    {
        const CPoint position = view->getPointPosition(index);
        return CPoint(std::round(13 + position.x * 194), std::round(13 + position.y * 94));
    }
    double target(int id) const { return params.getParam(id).second; }

    veldro::Synth synth;
    veldro::SynthParams& params = synth.getParams();
    std::set<int> reported;
    CFilterView* view{nullptr};
};

TEST_F(FilterViewX11, DraggingTheSecondPointSetsTheSecondSection)
{
    const CPoint start = handleCentre(1);
    ASSERT_TRUE(pumpUntil([&] { return pixelAt(start) == HANDLE_PIXEL; })) << std::hex << pixelAt(start);

    const CPoint end(188, 22); // x = 175 / 194, y = 9 / 94
    press(start);
    drag(CPoint(150, 40));
    drag(end);
    release(end);
    ASSERT_TRUE(pumpUntil([&] { return view->getSelectedIndex() == -1 && target(22) < 0.2; }));
    const double x = 175. / 194.;
    EXPECT_DOUBLE_EQ(target(21), 50 + x * x * x * (10000 - 50));
    EXPECT_DOUBLE_EQ(target(22), 9. / 94.);
    EXPECT_EQ(reported, (std::set<int>{21, 22}));
    EXPECT_NEAR(target(16), 200.0, 1e-9);

    // The window shows the handle where it was left.
    EXPECT_TRUE(pumpUntil([&] { return pixelAt(end) == HANDLE_PIXEL; })) << std::hex << pixelAt(end);
}

TEST_F(FilterViewX11, EscapeDuringADragRestoresTheSecondSectionAndLeavesTheSoundStartAlone)
{
    const double startValue = target(0);
    press(handleCentre(1));
    drag(CPoint(50, 100));
    ASSERT_TRUE(pumpUntil([&] { return target(22) > 0.8; }));
    EXPECT_LT(target(21), 3000.0);

    host->key(frameWindow, XK_Escape, Button1Mask);
    ASSERT_TRUE(pumpUntil([&] { return view->getSelectedIndex() == -1; }));
    EXPECT_NEAR(target(21), 3000.0, 1e-6);
    EXPECT_NEAR(target(22), 0.3, 1e-12);
    EXPECT_EQ(target(0), startValue);
    EXPECT_EQ(reported.count(0), 0u);

    // The release that follows changes nothing more.
    release(CPoint(50, 100));
    drag(CPoint(110, 60));
    handleSentEvents();
    EXPECT_NEAR(target(21), 3000.0, 1e-6);
    EXPECT_NEAR(target(22), 0.3, 1e-12);
    EXPECT_EQ(view->getSelectedIndex(), -1);
}

} // namespace
} // namespace korvel::gui

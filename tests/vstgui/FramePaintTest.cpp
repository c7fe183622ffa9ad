#include "FrameFixture.h"

#include "support/TempDir.h"

#include <thread>

namespace VSTGUI::test {
namespace {

class FilledView : public CView {
public:
    FilledView(const CRect& size, CColor color) : CView(size), color(color) {}
    void draw(CDrawContext* context) override
    {
        ++draws;
        lastUpdate = updateSeen;
        context->setFillColor(color);
        context->drawRect(getViewSize(), kDrawFilled);
    }
    void drawRect(CDrawContext* context, const CRect& update) override
    {
        updateSeen = update;
        CView::drawRect(context, update);
    }
    CColor color;
    int draws{0};
    CRect updateSeen;
    CRect lastUpdate;
};

using FramePaintTest = FrameFixture;

TEST_F(FramePaintTest, IdlePaintsTheTreeIntoTheBackBuffer)
{
    frame->setBackgroundColor(CColor(0, 0, 255));
    auto* box = add(new CViewContainer(CRect(20., 10., 120., 90.)));
    box->setBackgroundColor(CColor(0, 255, 0));
    auto* view = add(new FilledView(CRect(10., 10., 30., 30.), kRedCColor), box);
    frame->idle();
    EXPECT_TRUE(frame->getInvalidRects().empty());
    EXPECT_EQ(frame->getPixel(5, 5), CColor(0, 0, 255));
    EXPECT_EQ(frame->getPixel(25, 15), CColor(0, 255, 0));
    EXPECT_EQ(frame->getPixel(30, 20), kRedCColor);   // child left 10 + box left 20
    EXPECT_EQ(frame->getPixel(49, 39), kRedCColor);
    EXPECT_EQ(frame->getPixel(50, 40), CColor(0, 255, 0));
    EXPECT_EQ(view->draws, 1);
}

TEST_F(FramePaintTest, InvalidRectsReachTheFrameUnroundedInFrameCoordinates)
{
    auto* box = add(new CViewContainer(CRect(20., 30., 120., 90.)));
    auto* view = add(new FilledView(CRect(10.5, 0., 11.5, 40.), kRedCColor), box);
    frame->idle();
    view->invalid();
    ASSERT_EQ(frame->getInvalidRects().size(), 1u);
    EXPECT_EQ(frame->getInvalidRects()[0], CRect(30.5, 30., 31.5, 70.));

    view->invalidRect(CRect(10.5, 5., 11.5, 6.));   // contained: dropped
    EXPECT_EQ(frame->getInvalidRects().size(), 1u);
}

TEST_F(FramePaintTest, UpdateRectIsTheInvalidAreaOnWholePixelsInParentCoordinates)
{
    auto* box = add(new CViewContainer(CRect(20., 30., 120., 90.)));
    auto* view = add(new FilledView(CRect(0., 0., 40., 40.), kRedCColor), box);
    frame->idle();
    view->invalidRect(CRect(10.5, 5., 11.5, 6.));
    frame->idle();
    EXPECT_EQ(view->lastUpdate, CRect(10., 5., 12., 6.));
}

TEST_F(FramePaintTest, SetViewSizeInvalidatesOldAndNewPlaces)
{
    auto* view = add(new FilledView(CRect(0., 0., 10., 10.), kRedCColor));
    frame->idle();
    view->setViewSize(CRect(50., 50., 60., 60.));
    const std::vector<CRect> expected{CRect(0., 0., 10., 10.), CRect(50., 50., 60., 60.)};
    EXPECT_EQ(frame->getInvalidRects(), expected);
    frame->idle();
    EXPECT_EQ(frame->getPixel(5, 5), CColor(0, 0, 0, 0));
    EXPECT_EQ(frame->getPixel(55, 55), kRedCColor);
}

TEST_F(FramePaintTest, HiddenViewsAreNeitherDrawnNorHit)
{
    std::vector<std::string> log;
    auto* view = add(new ProbeView(CRect(0., 0., 50., 50.), &log));
    view->setVisible(false);
    click(CPoint(10., 10.));
    EXPECT_TRUE(log.empty());
}

TEST_F(FramePaintTest, OffThreadInvalidOnlyMarksDirtyForTheIdleSweep)
{
    auto* view = add(new FilledView(CRect(0., 0., 10., 10.), kRedCColor));
    frame->idle();
    std::thread([&] { view->invalid(); }).join();
    EXPECT_TRUE(frame->getInvalidRects().empty());
    EXPECT_TRUE(view->isDirty());
    frame->invalidateDirtyViews();
    ASSERT_EQ(frame->getInvalidRects().size(), 1u);
    EXPECT_EQ(frame->getInvalidRects()[0], CRect(0., 0., 10., 10.));
}

TEST_F(FramePaintTest, PostedTasksRunAtTheNextIdleOnTheGuiThread)
{
    std::thread::id ranOn;
    std::thread([&] { frame->postToGuiThread([&] { ranOn = std::this_thread::get_id(); }); }).join();
    EXPECT_EQ(ranOn, std::thread::id());
    frame->idle();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(FramePaintTest, ValueSetWithoutInvalidatingIsRedrawnBySweep)
{
    auto* knob = add(new CKnob(CRect(0., 0., 40., 40.), nullptr, 1, nullptr, nullptr));
    frame->idle();
    knob->setValue(0.7f);
    EXPECT_TRUE(frame->getInvalidRects().empty());
    frame->invalidateDirtyViews();
    EXPECT_EQ(frame->getInvalidRects().size(), 1u);
}

TEST_F(FramePaintTest, CloseRemovesViewsAndOverlays)
{
    add(new FilledView(CRect(0., 0., 10., 10.), kRedCColor));
    auto* menu = new COptionMenu(CRect(), nullptr, 10);
    menu->addEntry("one");
    menu->popup(frame, CPoint(5., 5.));
    menu->forget();
    ASSERT_NE(frame->getTopOverlay(), nullptr);
    frame->close();
    EXPECT_EQ(frame->getNbViews(), 0u);
    EXPECT_EQ(frame->getTopOverlay(), nullptr);
    EXPECT_FALSE(frame->isOpen());
}

TEST_F(FramePaintTest, SnapshotWritesAPng)
{
    frame->setBackgroundColor(kWhiteCColor);
    frame->idle();
    testing_support::TempDir dir;
    EXPECT_TRUE(frame->writePNG(dir.file("frame.png").string()));
    EXPECT_FALSE(frame->writePNG("/nonexistent-dir/frame.png"));
}

} // namespace
} // namespace VSTGUI::test

#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/crect.h"
#include "vstgui/lib/cstring.h"
#include "vstgui/lib/invalidregion.h"

#include <gtest/gtest.h>

namespace VSTGUI {
namespace {

TEST(CRectTest, PointInsideIsHalfOpen)
{
    const CRect r(10., 20., 30., 40.);
    EXPECT_TRUE(r.pointInside(CPoint(10., 20.)));
    EXPECT_TRUE(r.pointInside(CPoint(29.999, 39.999)));
    EXPECT_FALSE(r.pointInside(CPoint(30., 25.)));
    EXPECT_FALSE(r.pointInside(CPoint(15., 40.)));
}

TEST(CRectTest, TouchingRectsOverlap)
{
    const CRect r(0., 0., 10., 10.);
    EXPECT_TRUE(r.rectOverlap(CRect(10., 0., 20., 10.)));
    EXPECT_TRUE(r.rectOverlap(CRect(0., 10., 10., 20.)));
    EXPECT_FALSE(r.rectOverlap(CRect(10.5, 0., 20., 10.)));
}

TEST(CRectTest, BoundNeverGoesNegative)
{
    CRect r(0., 0., 10., 10.);
    r.bound(CRect(20., 20., 30., 30.));
    EXPECT_GE(r.getWidth(), 0.);
    EXPECT_GE(r.getHeight(), 0.);
    EXPECT_TRUE(r.isEmpty());

    CRect overlap(0., 0., 10., 10.);
    overlap.bound(CRect(5., -5., 20., 7.5));
    EXPECT_EQ(overlap, CRect(5., 0., 10., 7.5));
}

TEST(CRectTest, GeometryHelpers)
{
    CRect r(CPoint(1., 2.), CPoint(10., 20.));
    EXPECT_EQ(r, CRect(1., 2., 11., 22.));
    r.offset(1., 1.).inset(2., 3.);
    EXPECT_EQ(r, CRect(4., 6., 10., 20.));
    r.moveTo(0., 0.);
    EXPECT_EQ(r, CRect(0., 0., 6., 14.));
    r.extend(1., 1.);
    EXPECT_EQ(r, CRect(-1., -1., 7., 15.));
    r.unite(CRect(20., 20., 21., 21.));
    EXPECT_EQ(r, CRect(-1., -1., 21., 21.));
    CRect swapped(5., 5., 1., 1.);
    EXPECT_EQ(swapped.normalize(), CRect(1., 1., 5., 5.));
}

TEST(CColorTest, ConstantsAndByteEquality)
{
    EXPECT_EQ(kTransparentCColor, CColor(255, 255, 255, 0));
    EXPECT_EQ(kGreyCColor, CColor(127, 127, 127, 255));
    EXPECT_EQ(CColor(1, 2, 3).alpha, 255);
    EXPECT_NE(kTransparentCColor, kWhiteCColor);
}

TEST(CButtonStateTest, MasksAndExactButtons)
{
    const CButtonState leftShiftDouble(kLButton | kShift | kDoubleClick);
    EXPECT_EQ(leftShiftDouble.getButtonState(), kLButton);
    EXPECT_EQ(leftShiftDouble.getModifierState(), kShift);
    EXPECT_TRUE(leftShiftDouble.isLeftButton());
    EXPECT_FALSE(CButtonState(kLButton | kRButton).isLeftButton());
    EXPECT_TRUE(CButtonState(kRButton | kControl).isRightButton());
    EXPECT_EQ(CButtonState(0x7FF).getButtonState(), 0x30E);
    EXPECT_EQ(CButtonState(0x7FF).getModifierState(), 0xF0);
}

TEST(UTF8StringTest, NullIsEmptyAndConcatenates)
{
    const UTF8String none(static_cast<UTF8StringPtr>(nullptr));
    EXPECT_TRUE(none.empty());
    UTF8String text("Freq");
    text += " ";
    EXPECT_EQ(text + "12", UTF8String(std::string("Freq 12")));
    EXPECT_STREQ(static_cast<UTF8StringPtr>(text), "Freq ");
}

struct Counted : CBaseObject {
    explicit Counted(int* destroyed) : destroyed(destroyed) {}
    ~Counted() override { ++*destroyed; }
    int* destroyed;
};

TEST(SharedPointerTest, OwnedAdoptsSharedAdds)
{
    int destroyed = 0;
    auto* object = new Counted(&destroyed);
    {
        SharedPointer<Counted> adopted = owned(object);
        EXPECT_EQ(object->getNbReference(), 1);
        SharedPointer<Counted> second = shared(object);
        EXPECT_EQ(object->getNbReference(), 2);
    }
    EXPECT_EQ(destroyed, 1);
    {
        auto made = makeOwned<Counted>(&destroyed);
        SharedPointer<CBaseObject> base = made;
        EXPECT_EQ(made->getNbReference(), 2);
    }
    EXPECT_EQ(destroyed, 2);
}

TEST(InvalidRegionTest, KeepsRectsApartDropsCoveredOnes)
{
    InvalidRegion region;
    region.add(CRect(0.5, 0., 1.5, 10.));
    region.add(CRect(0.5, 0., 1.5, 10.));   // duplicate
    region.add(CRect(0.5, 2., 1.5, 3.));    // contained
    region.add(CRect(5., 0., 6., 10.));
    region.add(CRect(3., 3., 3., 9.));      // empty
    ASSERT_EQ(region.rects().size(), 2u);
    EXPECT_EQ(region.rects()[0], CRect(0.5, 0., 1.5, 10.));
    region.add(CRect(0., 0., 7., 10.));     // covers both
    ASSERT_EQ(region.rects().size(), 1u);
    EXPECT_EQ(region.rects()[0], CRect(0., 0., 7., 10.));
}

TEST(InvalidRegionTest, CollapsesToTheUnionPastTheLimit)
{
    InvalidRegion region;
    for (std::size_t i = 0; i <= InvalidRegion::kMaxRects; ++i)
        region.add(CRect(2. * i, 0., 2. * i + 1., 1.));
    ASSERT_EQ(region.rects().size(), 1u);
    EXPECT_EQ(region.rects()[0], CRect(0., 0., 2. * InvalidRegion::kMaxRects + 1., 1.));
}

} // namespace
} // namespace VSTGUI

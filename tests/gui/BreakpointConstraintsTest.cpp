#include "BreakpointsRig.h"

#include "gui/BreakpointConstraints.h"

namespace korvel::gui::test {
namespace {

using namespace VSTGUI;

using BreakpointConstraints = BreakpointsRig;

TEST_F(BreakpointConstraints, AttackDecayEndsAreFixedAndInnerPointsStayAtTheTop)
{
    make({{0, 0}, {0.25, 0.5}, {0.75, 0.5}, {1, 0}});
    for (std::size_t end : {0u, 3u}) {
        CPoint p(0.5, 0.5);
        EXPECT_FALSE(adPointConstraint(view, p, end));
        EXPECT_EQ(p, CPoint(0, 0));
    }
    CPoint p(0.5, 0.25);
    EXPECT_TRUE(adPointConstraint(view, p, 2));
    EXPECT_EQ(p, CPoint(0.5, 1));
    EXPECT_EQ(point(2), CPoint(0.75, 1));
    EXPECT_EQ(point(1), CPoint(0.25, 0.5));
}

TEST_F(BreakpointConstraints, EnvelopeEndsKeepTheirPlaceAndShareTheirLevel)
{
    make({{0, 0.5}, {0.2, 1}, {0.4, 0.8}, {0.6, 0.8}, {1, 0.5}});
    CPoint first(0.3, 0.0); // level 0 links too
    EXPECT_TRUE(adsrPointConstraint(view, first, 0));
    EXPECT_EQ(first, CPoint(0, 0));
    EXPECT_EQ(point(4).y, 0.0);

    CPoint last(0.7, 0.25);
    EXPECT_TRUE(adsrPointConstraint(view, last, 4));
    EXPECT_EQ(last, CPoint(1, 0.25));
    EXPECT_EQ(point(0).y, 0.25);
    EXPECT_TRUE(listener->changes.empty()); // the envelope's listener keeps its links itself
}

TEST_F(BreakpointConstraints, SustainPointsShareTheirLevel)
{
    make({{0, 0}, {0.2, 1}, {0.4, 0.8}, {0.6, 0.8}, {1, 0}}, 1);
    CPoint p(0.45, 0.3);
    EXPECT_TRUE(adsrPointConstraint(view, p, 2));
    EXPECT_EQ(p, CPoint(0.45, 0.3));
    EXPECT_EQ(point(3).y, 0.3);
    CPoint q(0.5, 0.6);
    EXPECT_TRUE(adsrPointConstraint(view, q, 3));
    EXPECT_EQ(point(2).y, 0.6);
    EXPECT_EQ(listener->changes, (std::vector<int>{3, 2}));
}

} // namespace
} // namespace korvel::gui::test

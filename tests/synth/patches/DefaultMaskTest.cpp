// The four recall switches steer what a program change (mask 128) recalls,
// alike from the editor and from the host.
#include "synth/patches/PatchRig.h"

#include <gtest/gtest.h>

namespace korvel::veldro {
namespace {

using namespace test::patch_ids;

class DefaultMaskTest : public ::testing::Test {
protected:
    DefaultMaskTest()
    {
        r.set(ENVELOPE_LEVEL, 0.7);
        r.params().storePatch(3, false, MASK_ALL);
        r.set(ENVELOPE_LEVEL, 0.2);
    }

    double recalledEnvelopeLevel()
    {
        r.params().applyPatch(3, 0.0, MASK_DEFAULT);
        return r.target(ENVELOPE_LEVEL);
    }

    test::PatchRig r;
};

TEST_F(DefaultMaskTest, EnvelopePointsStayUnlessChangeAdsrWithPatchIsOn)
{
    EXPECT_EQ(recalledEnvelopeLevel(), 0.2);
    r.params().setParamImmediate(PATCH_GLOBALS, 1.0);
    EXPECT_EQ(recalledEnvelopeLevel(), 0.7);
}

TEST_F(DefaultMaskTest, HostWritesSteerTheMaskAsEditorWritesDo)
{
    r.params().setParamNormalized(PATCH_GLOBALS, 1.0);
    r.params().setParamNormalized(PATCH_SOUNDFILE, 0.0);
    r.params().setParamNormalized(PATCH_CONTROLS, 0.0);
    EXPECT_EQ(r.params().getDefaultMask(), GROUP_GRAIN | GROUP_EFFECTS | GROUP_ENVELOPE | GROUP_GLOBALS);
    EXPECT_EQ(recalledEnvelopeLevel(), 0.7);
    r.params().setParamNormalized(PATCH_GLOBALS, 0.0);
    r.params().setParamNormalized(PATCH_RANDOM, 1.0);
    EXPECT_EQ(r.params().getDefaultMask(), GROUP_GRAIN | GROUP_EFFECTS | GROUP_GLOBALS);
}

} // namespace
} // namespace korvel::veldro

#include "PatchSamples.h"

#include "patch/StateText.h"
#include "support/CommaLocale.h"
#include "synth/SynthParamIds.h"
#include "synth/params/FakeEngine.h"

#include <gtest/gtest.h>

#include <string>

namespace korvel::veldro {
namespace {

TEST(StateTextLocale, ADecimalCommaLocaleNeitherWritesNorReadsCommas)
{
    test::ParamsRig rig;
    rig.params.setPatchCount(130);
    rig.params.editPatch(1) = patch_test::fullSlot(1);
    rig.params.setParamImmediate(param_id::CHANGE_TIME, 0.25);
    const std::string classic = serialize(rig.params);

    testing_support::CommaDecimalLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no decimal-comma locale could be installed or generated";
    EXPECT_EQ(serialize(rig.params), classic);
    test::ParamsRig reader;
    reader.params.setPatchCount(130);
    ASSERT_TRUE(deserialize(reader.params, classic));
    EXPECT_EQ(reader.params.getParam(param_id::CHANGE_TIME).second, 0.25);
    EXPECT_EQ(serialize(reader.params), classic);
}

} // namespace
} // namespace korvel::veldro

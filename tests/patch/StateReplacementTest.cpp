// A state text applied as the whole state (the host's chunk) against one
// merged into the slots there are (a dropped patch file).
#include "PatchSamples.h"

#include "patch/StateText.h"
#include "synth/SynthParamIds.h"
#include "synth/params/FakeEngine.h"
#include "synth/params/RecordingListener.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvel::veldro {
namespace {

using patch_test::fullSlot;

constexpr std::size_t SLOTS = 130;

// The state text of an instance whose slots first..last hold full slots.
std::string stateWithSlots(int first, int last)
{
    test::ParamsRig source;
    source.params.setPatchCount(SLOTS);
    for (int i = first; i <= last; ++i)
        source.params.setPatch(i, fullSlot(i));
    return serialize(source.params);
}

class StateReplacementTest : public testing::Test {
protected:
    StateReplacementTest()
    {
        rig.params.setPatchCount(SLOTS);
        rig.params.addListener(&listener);
    }

    // The slots that hold a patch.
    std::vector<int> storedSlots() const
    {
        std::vector<int> stored;
        for (int i = 0; i < static_cast<int>(SLOTS); ++i)
            if (rig.params.hasPatch(i))
                stored.push_back(i);
        return stored;
    }

    static std::vector<int> range(int first, int last)
    {
        std::vector<int> slots;
        for (int i = first; i <= last; ++i)
            slots.push_back(i);
        return slots;
    }

    test::ParamsRig rig;
    test::ChangeLog changes;
    test::RecordingListener listener{0, GROUP_PATCH_SLOTS, changes};
};

TEST_F(StateReplacementTest, SlotsTheWholeStateDoesNotNameBecomeEmpty)
{
    ASSERT_TRUE(replaceState(rig.params, stateWithSlots(1, 20)));
    EXPECT_EQ(storedSlots(), range(1, 20));
    const std::string smaller = stateWithSlots(1, 5);
    changes.clear();
    ASSERT_TRUE(replaceState(rig.params, smaller));
    EXPECT_EQ(storedSlots(), range(1, 5));
    for (int i = 6; i <= 20; ++i)
        EXPECT_EQ(rig.params.getPatch(i), Patch{}) << "slot " << i << " as in a fresh instance";
    EXPECT_EQ(serialize(rig.params), smaller);
    EXPECT_EQ(changes, (test::ChangeLog{{0, GROUP_PATCH_SLOTS}})) << "told once, after the slots are emptied";
}

TEST_F(StateReplacementTest, AMergedTextLeavesTheSlotsItDoesNotName)
{
    ASSERT_TRUE(deserialize(rig.params, stateWithSlots(1, 20)));
    ASSERT_TRUE(deserialize(rig.params, stateWithSlots(1, 5)));
    EXPECT_EQ(storedSlots(), range(1, 20));
}

TEST_F(StateReplacementTest, ASlotTheWholeStateRefusesBecomesEmpty)
{
    ASSERT_TRUE(replaceState(rig.params, stateWithSlots(1, 5)));
    ASSERT_TRUE(replaceState(rig.params, R"({"patch.3": {"timestamp": 1700000000, "grain.rate": [1]},
                                            "patch.4": {"timestamp": 1700000001}})"));
    EXPECT_EQ(storedSlots(), std::vector<int>{4});
}

TEST_F(StateReplacementTest, ATextThatIsRefusedOrStopsPartWayEmptiesNothing)
{
    ASSERT_TRUE(replaceState(rig.params, stateWithSlots(1, 20)));
    const std::string before = serialize(rig.params);
    changes.clear();
    for (const char* text : {"", "{\"patch.1\": [unfinished", "{\"not\": \"a state\"}", "{}",
                             R"({"patch.1": {"timestamp": 1700000000, "grain.rate": [1]}})"}) {
        EXPECT_FALSE(replaceState(rig.params, text)) << text;
        EXPECT_EQ(serialize(rig.params), before) << text;
    }
    EXPECT_TRUE(changes.empty());

    // A slot key without a number ends the application: what came before it stays applied.
    ASSERT_TRUE(replaceState(rig.params, R"({"apply.changetime": 7, "patch.+": {"timestamp": 1}})"));
    EXPECT_EQ(rig.params.getParam(param_id::CHANGE_TIME).second, 7);
    EXPECT_EQ(storedSlots(), range(1, 20));
}

} // namespace
} // namespace korvel::veldro

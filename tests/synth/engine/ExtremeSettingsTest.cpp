#include "EngineRig.h"
#include "synth/ParamTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace korvel::test {
namespace {

constexpr int CONTROLLER_TYPES = 8;

// An engine playing seeded noise, with or without every effect on.
std::unique_ptr<EngineRig> noiseRig(bool effects)
{
    auto rig = std::make_unique<EngineRig>();
    if (effects) {
        const struct {
            int id;
            double value;
        } settings[] = {{13, 2.0}, {14, 8.0}, {15, 20.0}, {18, 0.3}, {19, 0.3},
                        {20, 0.3}, {23, 30.0}, {24, 0.5}};
        for (const auto& s : settings)
            rig->set(s.id, s.value);
    }
    rig->synth.setSound(rig->sounds.noise(2, 20000, 17));
    return rig;
}

// Host road, while suspended so that the value is taken at once.
void setNormalized(EngineRig& rig, int id, double x)
{
    rig.synth.suspend();
    rig.synth.getParams().setParamNormalized(id, x);
}

// Every output value is finite and, since each grain and the master stage
// soft-clip into ±1, within ±1 per grain sounding plus one; nothing was
// silenced on the way.
void renderAndCheck(EngineRig& rig, const std::string& what, int blocks = 256)
{
    rig.synth.resume();
    for (int block = 0; block < blocks; ++block) {
        const int before = rig.synth.activeGrainCount();
        rig.render(8);
        for (int i = 0; i < 8; ++i) {
            ASSERT_TRUE(std::isfinite(rig.left[i]) && std::isfinite(rig.right[i])) << what;
            ASSERT_LE(std::fabs(rig.left[i]), before + 2.0f) << what;
            ASSERT_LE(std::fabs(rig.right[i]), before + 2.0f) << what;
        }
    }
    ASSERT_EQ(rig.synth.silencedOutputs(), 0u) << what;
}

TEST(ExtremeSettings, EveryParameterAcrossItsRange)
{
    for (bool effects : {false, true}) {
        for (int id = 0; id < veldro::NOF_SYNTH_PARAMS; ++id) {
            auto rig = noiseRig(effects);
            for (double x : {0.0, 1.0, 0.5, 0.999, 0.001}) {
                setNormalized(*rig, id, x);
                renderAndCheck(*rig, veldro::getParamInfo(id).name + " at " + std::to_string(x) +
                                         (effects ? " with effects" : ""));
            }
        }
    }
}

// The twin filter near the top of its range: a high second frequency with
// the widest band, and a first frequency modulated far beyond its range.
TEST(ExtremeSettings, FilterAtTheTopOfItsRange)
{
    const int lfo = 3;
    const struct {
        int id;
        double value;
    } cases[][3] = {
        {{21, 10000.0}, {22, 1.0}, {17, 0.5}},
        {{16, 8000.0}, {17, 1.0}, {22, 1.0}},
    };
    for (const auto& settings : cases) {
        for (bool modulated : {false, true}) {
            auto rig = noiseRig(true);
            for (const auto& s : settings)
                rig->set(s.id, s.value);
            if (modulated) {
                const int control = veldro::getParamInfo(16).control_id;
                rig->set(control, lfo);
                rig->set(control + 1, 1.0);
                rig->set(control + 4, 7.0); // Hz
            }
            renderAndCheck(*rig, "filter setting " + std::to_string(settings[0].id), 5512);
        }
    }
}

TEST(ExtremeSettings, EveryParameterAtTheSameEnd)
{
    for (double x : {0.0, 1.0}) {
        auto rig = noiseRig(false);
        for (int id = 2; id <= 54; ++id)
            setNormalized(*rig, id, x);
        renderAndCheck(*rig, "all at " + std::to_string(x), 1024);
    }
}

// Each controller kind at full positive and negative depth, with its
// settings at both ends, on every parameter that takes controllers.
TEST(ExtremeSettings, EveryControllerAtFullDepth)
{
    for (int parent = 0; parent < veldro::NOF_SYNTH_PARAMS; ++parent) {
        const veldro::ParamInfo& info = veldro::getParamInfo(parent);
        for (int control = 0; control < info.nof_controls; ++control) {
            auto rig = noiseRig(true);
            const int first = info.control_id + 5 * control;
            for (int type = 1; type <= CONTROLLER_TYPES; ++type) {
                for (double amount : {1.0, -1.0}) {
                    for (double setting : {0.0, 1.0}) {
                        rig->synth.suspend();
                        rig->set(first, type);
                        rig->set(first + 1, amount);
                        for (int field = 2; field < 5; ++field)
                            setNormalized(*rig, first + field, setting);
                        renderAndCheck(*rig, info.name + " controller " + std::to_string(control) + " type " +
                                                 std::to_string(type) + " amount " + std::to_string(amount) +
                                                 " settings " + std::to_string(setting));
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace korvel::test

#include "EngineRig.h"
#include "synth/ParamTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace korvel::test {
namespace {

constexpr int CONTROLLER_TYPES = 8;

struct Patch {
    std::string name;
    std::vector<std::pair<int, double>> settings;
    int channels = 2;
    // Controllers of this type (0: none) on every effect parameter that takes them.
    int controllerType = 0;
    bool notes = false;
    int frames = 20000;
    int leastPeakGrains = 4;
};

const std::vector<std::pair<int, double>> EVERY_EFFECT = {{13, 2.0},  {14, 8.0},  {15, 20.0}, {18, 0.3},
                                                          {19, 0.3},  {20, 0.3},  {23, 30.0}, {24, 0.5}};

std::vector<std::pair<int, double>> everyEffectAnd(std::vector<std::pair<int, double>> more)
{
    more.insert(more.begin(), EVERY_EFFECT.begin(), EVERY_EFFECT.end());
    return more;
}

// Renders the patch in uneven blocks, so grains start and end anywhere in
// them, with the grains grouped four at a time or each on its own.
struct Output {
    std::vector<float> values; // left and right interleaved
    int peakGrains = 0;
};

Output render(const Patch& patch, bool grouped)
{
    EngineRig rig;
    rig.synth.setGrainGrouping(grouped);
    for (const auto& [id, value] : patch.settings)
        rig.set(id, value);
    if (patch.controllerType != 0) {
        for (int parent : {7, 8, 11, 12, 13, 14, 16, 18, 23, 24}) {
            const int first = veldro::getParamInfo(parent).control_id;
            rig.set(first, patch.controllerType);
            rig.set(first + 1, parent % 2 == 0 ? 0.7 : -0.6);
            for (int field = 2; field < 5; ++field)
                rig.synth.getParams().setParamNormalized(first + field, 0.3 + 0.2 * field);
        }
    }
    rig.start(rig.sounds.noise(patch.channels, 30000, 5));
    Output out;
    const int blocks[] = {512, 300, 77, 1, 1024, 8};
    for (int b = 0; static_cast<int>(out.values.size()) < 2 * patch.frames; ++b) {
        if (patch.notes && b % 7 == 2) {
            const auto kind = b % 14 == 2 ? veldro::NoteRecord::NOTE_ON : veldro::NoteRecord::NOTE_OFF;
            rig.synth.processMidiEvent({static_cast<std::uint8_t>(50 + b % 20), 0, kind, 100, 5});
        }
        rig.render(blocks[b % 6]);
        out.peakGrains = std::max(out.peakGrains, rig.synth.activeGrainCount());
        for (std::size_t i = 0; i < rig.left.size(); ++i) {
            out.values.push_back(rig.left[i]);
            out.values.push_back(rig.right[i]);
        }
    }
    return out;
}

void expectSameOutput(const Patch& patch)
{
    const std::vector<float> reference = render(patch, false).values;
    const Output groupedOutput = render(patch, true);
    ASSERT_GE(groupedOutput.peakGrains, patch.leastPeakGrains) << patch.name;
    const std::vector<float>& grouped = groupedOutput.values;
    ASSERT_EQ(reference.size(), grouped.size());
    ASSERT_GT(*std::max_element(reference.begin(), reference.end()), 0.01f) << patch.name << ": silent";
    for (std::size_t i = 0; i < reference.size(); ++i) {
        ASSERT_NEAR(grouped[i], reference[i], 1e-6)
            << patch.name << ", " << (i % 2 == 0 ? "left" : "right") << " frame " << i / 2;
    }
}

TEST(GrainQuads, EffectsSoundAsWithEachGrainOnItsOwn)
{
    const std::vector<Patch> patches = {
        {"no effect", {{4, 200.0}, {12, -0.3}}},
        {"no effect, mono, held between short attack and decay", {{4, 200.0}, {9, 0.1}, {10, 0.05}}, 1},
        {"no effect, attack only", {{4, 300.0}, {9, 1.0}, {10, 0.0}, {5, 30.0}}, 3},
        {"every effect", everyEffectAnd({{4, 200.0}})},
        {"every effect, held", everyEffectAnd({{4, 200.0}, {9, 0.02}, {10, 0.3}})},
        {"every effect, mono", everyEffectAnd({{4, 200.0}}), 1},
        {"every effect, three channels", everyEffectAnd({{4, 120.0}}), 3},
        {"fold, coarse crusher, long smoothing", {{4, 150.0}, {13, -6.0}, {14, 3.0}, {15, 0.0}, {12, 0.7}}},
        {"crusher without smoothing", {{4, 150.0}, {14, 5.0}, {15, 100.0}}},
        {"tone only", {{4, 150.0}, {15, 0.0}, {14, 14.0}}, 1},
        {"overdrive only", {{4, 150.0}, {13, 20.0}}},
        {"filters at the ends", {{4, 150.0}, {16, 8000.0}, {17, 1.0}, {21, 50.0}, {22, 0.0}, {18, 1.0}, {20, 1.0}}},
        {"glide backwards", everyEffectAnd({{4, 150.0}, {7, -5.0}, {8, 12.0}, {2, -1.5}})},
        {"short grains", everyEffectAnd({{4, 2000.0}, {5, 0.1}})},
        {"few grains", everyEffectAnd({{4, 3.0}, {5, 300.0}}), 2, 0, false, 20000, 1},
        {"keyboard notes", everyEffectAnd({{4, 200.0}}), 2, 0, true},
        {"a thousand grains", everyEffectAnd({{4, 2000.0}, {5, 1000.0}}), 2, 0, false, 23000, 1000},
    };
    for (const Patch& patch : patches)
        expectSameOutput(patch);
}

TEST(GrainQuads, ControllersSoundAsWithEachGrainOnItsOwn)
{
    for (int type = 1; type <= CONTROLLER_TYPES; ++type) {
        Patch patch{"controller type " + std::to_string(type), everyEffectAnd({{4, 200.0}})};
        patch.controllerType = type;
        patch.notes = true;
        patch.frames = 12000;
        expectSameOutput(patch);
    }
}

} // namespace
} // namespace korvel::test

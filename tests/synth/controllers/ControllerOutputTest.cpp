#include "synth/controllers/ControllerFixture.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

namespace korvel::veldro {
namespace {

constexpr std::uint32_t LFO = 3, MIDI = 4, ADSR_MIX = 5, INNER = 6, INNER_3 = 8;

using ControllerOutputTest = test::ControllerFixture;

TEST_F(ControllerOutputTest, OutputIsScaledByTheCurrentAmount)
{
    ParamControl& slot = install(LFO, -0.5);
    double phase = 0.5;
    EXPECT_DOUBLE_EQ(rig.params.evaluateControl(slot, phase), -0.5);
    slot.amount.setTarget(1.0, 1.0); // the current amount counts, not the target
    EXPECT_DOUBLE_EQ(rig.params.evaluateControl(slot, phase), -0.5);
}

TEST_F(ControllerOutputTest, LfoShapes)
{
    struct Case {
        double skew, clip, phase, out;
    };
    const Case cases[] = {
        {0.0, 0.0, 0.0, -1.0},  {0.0, 0.0, 0.25, 0.0}, {0.0, 0.0, 0.5, 1.0},   {0.0, 0.0, 0.75, 0.0},
        {0.0, 1.0, 0.01, -0.2}, {0.0, 1.0, 0.1, 1.0},  {0.0, 1.0, 0.51, 0.2},  {0.0, 1.0, 0.6, -1.0},
        {0.5, 0.0, 0.375, 0.0}, {0.5, 0.0, 0.75, 1.0}, {0.5, 0.0, 0.875, 0.0}, {-1.0, 0.0, 0.02, 0.6},
        {0.0, 0.5, 0.25, 1.0},  {0.0, 0.5, 0.125, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(output(LFO, c.skew, c.clip, c.phase), c.out, 1e-12)
            << "skew " << c.skew << " clip " << c.clip << " phase " << c.phase;
}

TEST_F(ControllerOutputTest, MidiBlendsItsFourCorners)
{
    MidiState& midi = rig.engine.midi;
    midi.currentNote = 76.0; // (76 - 60) / 64 = 0.25
    midi.velocity.jumpTo(0.5);
    midi.pitchBend.jumpTo(-0.5);
    midi.modWheel.jumpTo(0.8);
    struct Case {
        double x, y, out;
    };
    for (const Case& c : {Case{0.0, 0.0, 0.25}, Case{1.0, 0.0, 0.5}, Case{0.0, 1.0, -0.5}, Case{1.0, 1.0, 0.8},
                          Case{0.5, 0.5, (0.25 + 0.5 - 0.5 + 0.8) / 4}, Case{-3.0, 9.0, -0.5},
                          Case{0.2, 0.5, (0.25 - 0.5) * 0.4375}})
        EXPECT_NEAR(output(MIDI, c.x, c.y), c.out, 1e-12) << c.x << ", " << c.y;

    midi.currentNote = 127.0;
    EXPECT_EQ(output(MIDI, 0.0, 0.0), 1.0);
}

TEST_F(ControllerOutputTest, AdsrMixBlendsTheTwoEnvelopes)
{
    rig.engine.midi.envelope1.level.jumpTo(0.8);
    rig.engine.midi.envelope2.level.jumpTo(0.2);
    EXPECT_DOUBLE_EQ(output(ADSR_MIX, 0.25), 0.75 * 0.2 + 0.25 * 0.8);
    EXPECT_DOUBLE_EQ(output(ADSR_MIX, 0.0), 0.2);
    EXPECT_DOUBLE_EQ(output(ADSR_MIX, 7.0), 0.8);
}

TEST_F(ControllerOutputTest, InnerFollowsAnotherParameterRelativeToItsRange)
{
    rig.params.setParamImmediate(11, 1.5);   // grain.amp, cubic 0..3
    rig.params.setParamImmediate(16, 1000);  // filter.freq, cubic up to 8000: two cube roots
    rig.params.setParamImmediate(12, -0.25); // grain.pan, linear -1..1
    rig.params.setParamImmediate(2, 5.0);    // sound.play_rate, up to 25
    struct Case {
        double source, out;
    };
    for (const Case& c : {Case{11, std::cbrt(0.5)}, Case{11.9, std::cbrt(0.5)}, Case{16, std::cbrt(std::cbrt(0.125))},
                          Case{12, -0.25}, Case{2, 0.2}, Case{1, 0.0}, Case{63, 0.0}, Case{-4, 0.0}, Case{62, 0.0}})
        EXPECT_DOUBLE_EQ(output(INNER, c.source), c.out) << "source " << c.source;
    EXPECT_DOUBLE_EQ(output(INNER_3, 12), -0.25);
}

TEST_F(ControllerOutputTest, InnerReadsPlayPositionAndDensity)
{
    EXPECT_EQ(output(INNER, 3), 0.0); // no sound
    rig.params.setParamImmediate(4, 100.0);
    rig.params.setParamImmediate(5, 100.0);
    rig.params.updateDensity(); // 100 * 100 * 0.001 * 0.5 (attack and decay fill the grain) = 5
    EXPECT_DOUBLE_EQ(output(INNER, 6), 0.5 * std::pow(5.0, 0.3));
    rig.params.setParamImmediate(4, 2000.0);
    rig.params.setParamImmediate(5, 10000.0);
    rig.params.updateDensity();
    EXPECT_EQ(output(INNER, 6), 4.0);
}

TEST_F(ControllerOutputTest, NonFiniteOutputBecomesZero)
{
    rig.params.getBaseParam(11).value.current = std::numeric_limits<double>::infinity();
    EXPECT_EQ(output(INNER, 11), 0.0);
    rig.params.getBaseParam(11).value.current = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(output(INNER, 11), 0.0);
}

TEST_F(ControllerOutputTest, EmptyOrUnknownTypeGivesNothing)
{
    ParamControl slot = install(LFO, 1.0);
    double state = 0.0;
    slot.type = 0;
    EXPECT_EQ(rig.params.evaluateControl(slot, state), 0.0);
    slot.type = 42;
    EXPECT_EQ(rig.params.evaluateControl(slot, state), 0.0);
}

// The editor draws controllers while the audio thread empties and refills their slots: a slot read as it
// changes gives one type's output or nothing, never a call through the empty type's missing output.
TEST_F(ControllerOutputTest, ASlotEmptiedWhileItIsDrawnGivesOneTypesOutputOrNothing)
{
    constexpr int DRAWS = 3'000'000;
    ParamControl& slot = install(LFO, 1.0);
    std::atomic<bool> drawing{true};
    std::thread audio([&] {
        while (drawing.load(std::memory_order_relaxed)) {
            slot.type = 0u;
            slot.type = LFO;
        }
    });
    double largest = 0.0;
    for (int draw = 0; draw < DRAWS; ++draw)
        largest = std::max(largest, std::abs(rig.params.getControlValue(slot)));
    drawing.store(false);
    audio.join();
    EXPECT_LE(largest, 1.0);
}

} // namespace
} // namespace korvel::veldro

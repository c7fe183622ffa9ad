#include "synth/params/AllocationCounter.h"
#include "synth/params/FakeEngine.h"

#include "synth/controllers/TestSound.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvel::veldro {
namespace {

TEST(NoAllocationTest, CounterSeesAllocations)
{
    test::AllocationCounter counter;
    // volatile: a compiler may drop a new/delete pair whose memory nobody reads.
    auto* volatile vector = new std::vector<int>(100);
    EXPECT_EQ(counter.count(), 2u);
    delete vector;
}

// Every controller kind on some parameter, a sound for "amp_noise", notes and
// controllers queued: then one second of ticks, modulation and MIDI.
TEST(NoAllocationTest, TicksModulationAndMidiNeverAllocate)
{
    testing_support::TempDir dir;
    test::ParamsRig rig;
    rig.engine.sound = test::loadMonoSound(dir, test::risingSine(20000));
    rig.engine.running = true;
    SynthParams& params = rig.params;
    const int withControls[] = {2, 3, 4, 5, 7, 8, 9, 10, 11};
    for (std::uint32_t type = 1; type <= 8; ++type) {
        const int id = withControls[type - 1];
        params.getBaseParam(id).applyControlPatch(0, {type, 0.7, {0.5, 0.5, 4.0}}, 0.0);
        params.setParam(id, params.getParam(id).second * 1.5, 2.0);
    }
    params.setParam(83, 3, 1.0); // a fading controller too

    MidiState& midi = rig.engine.midi;
    const double rate = 44100.0;
    midi.receiveNote({60, 0, NoteRecord::NOTE_ON, 100, 0}, true, params, rate); // reserve nothing later

    test::AllocationCounter counter;
    for (int tick = 0; tick < 700; ++tick) {
        midi.receiveNote({std::uint8_t(40 + tick % 30), 0, NoteRecord::NOTE_ON, 90, tick % 64}, true, params, rate);
        midi.receiveNote({std::uint8_t(40 + tick % 30), 0, NoteRecord::NOTE_OFF, 0, 32}, true, params, rate);
        midi.controller(224, tick * 20, 0);
        midi.controller(1, tick % 128, 0);
        midi.controller(160, 60, 50);
        params.advance(64.0 / rate);
        params.updateDensity();
        for (int id = 0; id < NOF_SYNTH_PARAMS; ++id)
            params.getModulation(id, -1);
        for (int sub = 0; sub < 8; ++sub)
            midi.advance(8, rate, params);
    }
    midi.applyPendingNotes(params, rate);
    params.notifyListeners(127);
    params.notifyListener(9, 512);
    EXPECT_EQ(counter.count(), 0u);
}

} // namespace
} // namespace korvel::veldro

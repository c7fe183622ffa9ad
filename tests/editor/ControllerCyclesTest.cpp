// Opening, idling and closing the window again and again while a sound loads in the background and the
// host automates parameters from another thread: no view of a closed window may be reached.
#include "EditorRig.h"

#include "synth/SynthParams.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace korvel::test {
namespace {

TEST(EditorWindowCycles, SurviveLoadsAndAutomationFromAnotherThread)
{
    EditorRig rig;
    Processor& processor = rig.processor();
    const auto first = rig.chord("first.wav");
    const auto second = rig.chord("second.wav");
    std::atomic<bool> stop{false};
    std::thread automation([&] {
        for (unsigned i = 0; !stop.load(std::memory_order_relaxed); ++i)
            processor.setParameter(static_cast<VstInt32>(2 + i % 20), static_cast<float>((i % 97) / 96.0));
    });
    for (int cycle = 0; cycle < 20; ++cycle) {
        rig.editor().open(nullptr);
        processor.getSynth().loadSound((cycle % 2 ? first : second).string(), {});
        for (int idle = 0; idle < 3; ++idle)
            rig.editor().idle();
        rig.editor().close();
        rig.editor().idle();
    }
    stop = true;
    automation.join();
    EXPECT_FALSE(rig.editor().getFrame());
}

} // namespace
} // namespace korvel::test

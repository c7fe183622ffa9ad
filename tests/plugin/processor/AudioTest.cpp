// The audio thread's side: notes and controllers, fades around resume and
// suspend, and output that does not depend on the host's block size.
#include "QuillmarTestHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvel::test {
namespace {

using host::PluginInstance;

class QuillmarAudio : public ::testing::Test {
protected:
    // A playing instance: the live slot holds a sound, short notes, and nothing random. Its host
    // renders offline, so the sound plays from the first block.
    std::unique_ptr<PluginInstance> playing(int blockSize = 512) {
        auto plugin =
            std::make_unique<PluginInstance>(quillmarModule(), RATE, blockSize, PluginInstance::offlineHostCallback);
        plugin->restoreChunk(demo::makeState({{1, folder.sound("a.wav", {220.0, 330.0}), shortNoteValues()}}));
        plugin->resume();
        return plugin;
    }

    static const veldro::MidiState& midiOf(PluginInstance& plugin) {
        return processorOf(plugin).getSynth().getMidiState();
    }

    ScratchFolder folder;
};

double fadeInGain(int frame, int n) { return 0.5 - 0.5 * std::cos(std::numbers::pi * frame / n); }
double fadeOutGain(int frame, int n) { return 0.5 + 0.5 * std::cos(std::numbers::pi * (1 - frame) / n); }

// Frames [from, from + n) of faded are those of plain times gain(k, n).
void expectFaded(const Stereo& faded, const Stereo& plain, std::size_t from, int n, double (*gain)(int, int)) {
    for (int k = 0; k < n; ++k) {
        const std::size_t i = from + static_cast<std::size_t>(k);
        EXPECT_FLOAT_EQ(faded.left[i], static_cast<float>(plain.left[i] * gain(k, n))) << k;
        EXPECT_FLOAT_EQ(faded.right[i], static_cast<float>(plain.right[i] * gain(k, n))) << k;
    }
}

TEST_F(QuillmarAudio, NotesPlayInStereoAndEndWithTheirRelease) {
    for (const bool offAsZeroVelocity : {false, true}) {
        auto plugin = playing();
        sendMidi(*plugin, {{0x90, 60, 100}});
        const Stereo held = renderBlocks(*plugin, 4096, 512);
        EXPECT_TRUE(midiOf(*plugin).isHeld(0, 60));
        EXPECT_GT(held.rms(held.left, 1024, 4096), 0.01);
        EXPECT_GT(held.rms(held.right, 1024, 4096), 0.01);

        sendMidi(*plugin, {{static_cast<unsigned char>(offAsZeroVelocity ? 0x90 : 0x80), 60, 0}});
        const Stereo released = renderBlocks(*plugin, 8192, 512);
        EXPECT_FALSE(midiOf(*plugin).isHeld(0, 60));
        EXPECT_LT(released.rms(released.left, 4096, 8192), 1e-6) << offAsZeroVelocity;
        EXPECT_LT(released.rms(released.right, 4096, 8192), 1e-6) << offAsZeroVelocity;
    }
}

// Largest difference between neighbouring frames in [from, to) of either channel.
double largestStep(const Stereo& out, std::size_t from, std::size_t to) {
    double step = 0.0;
    for (const std::vector<float>* channel : {&out.left, &out.right})
        for (std::size_t i = from + 1; i < to; ++i)
            step = std::max(step, static_cast<double>(std::abs((*channel)[i] - (*channel)[i - 1])));
    return step;
}

TEST_F(QuillmarAudio, TheFirstNoteFadesTheDroneOutInsteadOfCuttingIt) {
    constexpr std::size_t DRONE_FRAMES = 16384;
    PluginInstance plugin(quillmarModule(), RATE, 512, PluginInstance::offlineHostCallback);
    plugin.restoreChunk(demo::makeState({{1, folder.sound("a.wav", {220.0, 330.0}), {}}}));  // the default patch
    plugin.resume();
    Stereo out = renderBlocks(plugin, DRONE_FRAMES, 512);
    sendMidi(plugin, {{0x90, 60, 100}});
    out.append(renderBlocks(plugin, 512, 512));

    // Past the resume's fade in; the switch, from the drone's last frame on.
    const double droneStep = largestStep(out, 64, DRONE_FRAMES);
    const double switchStep = largestStep(out, DRONE_FRAMES - 1, out.left.size());
    ASSERT_GT(droneStep, 0.0);
    EXPECT_LE(switchStep, droneStep) << "drone " << droneStep;
}

TEST_F(QuillmarAudio, PitchBendIsFourteenBitsLowByteFirst) {
    auto plugin = playing();
    const veldro::MidiState& midi = midiOf(*plugin);
    const struct {
        unsigned char status, low, high;
        int bend;
    } cases[] = {{0xE0, 0, 64, 8192}, {0xE0, 127, 127, 16383}, {0xE5, 0, 0, 0}, {0xE0, 0xFF, 0x80, 127}};
    for (const auto& c : cases) {
        sendMidi(*plugin, {{c.status, c.low, c.high}});
        EXPECT_DOUBLE_EQ(midi.pitchBend.target, (c.bend - 8192) / 8192.0) << c.bend;
    }
}

TEST_F(QuillmarAudio, ModWheelAndAftertouchOfTheCurrentNoteReachTheMidiState) {
    auto plugin = playing();
    const veldro::MidiState& midi = midiOf(*plugin);
    sendMidi(*plugin, {{0xB0, 1, 64}, {0xB0, 7, 100}});
    EXPECT_DOUBLE_EQ(midi.modWheel.target, 0.5);
    sendMidi(*plugin, {{0x90, 60, 96}});
    renderBlocks(*plugin, 64, 64);
    EXPECT_DOUBLE_EQ(midi.velocity.target, 0.75);
    sendMidi(*plugin, {{0xA0, 61, 16}});  // another note: ignored
    EXPECT_DOUBLE_EQ(midi.velocity.target, 0.75);
    sendMidi(*plugin, {{0xA0, 60, 32}});
    EXPECT_DOUBLE_EQ(midi.velocity.target, 0.25);
}

TEST_F(QuillmarAudio, ResumeFadesInOverTheFirstFramesOfTheFirstBlock) {
    for (const int blockSize : {512, 16}) {
        auto faded = playing();
        auto plain = playing();
        processorOf(*plain).setFadeState(Processor::PLAYING);
        const Stereo in = renderBlocks(*faded, blockSize, blockSize);
        const Stereo reference = renderBlocks(*plain, blockSize, blockSize);
        const int n = std::min(blockSize, 64);
        expectFaded(in, reference, 0, n, fadeInGain);
        for (std::size_t i = static_cast<std::size_t>(n); i < in.left.size(); ++i)
            ASSERT_EQ(in.left[i], reference.left[i]) << i;
        EXPECT_EQ(processorOf(*faded).getFadeState(), Processor::PLAYING);
    }
}

TEST_F(QuillmarAudio, SuspendFadesOutTheLastFramesOfTheNextBlockThenStaysSilent) {
    for (const int blockSize : {512, 16}) {
        auto faded = playing();
        auto plain = playing();
        renderBlocks(*faded, 2048, 512);
        renderBlocks(*plain, 2048, 512);
        faded->suspend();
        EXPECT_EQ(processorOf(*faded).getFadeState(), Processor::FADE_OUT);
        const Stereo out = renderBlocks(*faded, blockSize, blockSize);
        const Stereo reference = renderBlocks(*plain, blockSize, blockSize);
        ASSERT_GT(reference.rms(reference.left, 0, reference.left.size()), 0.0);
        const int n = std::min(blockSize, 64);
        for (std::size_t i = 0; i < static_cast<std::size_t>(blockSize - n); ++i)
            ASSERT_EQ(out.left[i], reference.left[i]) << i;
        expectFaded(out, reference, static_cast<std::size_t>(blockSize - n), n, fadeOutGain);

        EXPECT_EQ(processorOf(*faded).getFadeState(), Processor::SILENT);
        EXPECT_EQ(processorOf(*faded).getSynth().getRunState(), veldro::Synth::SUSPENDED_WITH_SOUND);
        const Stereo after = renderBlocks(*faded, 2048, 512);
        EXPECT_EQ(after.rms(after.left, 0, 2048) + after.rms(after.right, 0, 2048), 0.0);
    }
}

TEST_F(QuillmarAudio, ABlockWithoutFramesLeavesAPendingFadePending) {
    auto plugin = playing();
    Processor& processor = processorOf(*plugin);
    float* none[] = {nullptr, nullptr};
    plugin->processReplacing(none, none, 0);
    EXPECT_EQ(processor.getFadeState(), Processor::FADE_IN);
    renderBlocks(*plugin, 512, 512);
    plugin->suspend();
    plugin->processReplacing(none, none, 0);
    EXPECT_EQ(processor.getFadeState(), Processor::FADE_OUT);
}

TEST_F(QuillmarAudio, FadeStatesFollowResumeAndSuspend) {
    auto plugin = playing();
    Processor& processor = processorOf(*plugin);
    EXPECT_EQ(processor.getFadeState(), Processor::FADE_IN);
    plugin->suspend();  // before any block: the fade in becomes a fade out
    EXPECT_EQ(processor.getFadeState(), Processor::FADE_OUT);
    plugin->resume();
    EXPECT_EQ(processor.getFadeState(), Processor::FADE_IN);
    renderBlocks(*plugin, 512, 512);
    EXPECT_EQ(processor.getFadeState(), Processor::PLAYING);
    plugin->resume();
    EXPECT_EQ(processor.getFadeState(), Processor::PLAYING);
    processor.setFadeState(Processor::FADE_IN);  // the editor's open: no dip in what plays
    EXPECT_EQ(processor.getFadeState(), Processor::PLAYING);
    plugin->suspend();
    plugin->suspend();
    EXPECT_EQ(processor.getFadeState(), Processor::FADE_OUT);
    renderBlocks(*plugin, 512, 512);
    plugin->suspend();
    EXPECT_EQ(processor.getFadeState(), Processor::SILENT);
    processor.setFadeState(Processor::FADE_IN);  // the editor's open
    EXPECT_EQ(processor.getFadeState(), Processor::FADE_IN);
}

TEST_F(QuillmarAudio, WithoutASoundAFadeInWaitsAndAFadeOutEnds) {
    PluginInstance plugin(quillmarModule(), RATE, 512);
    Processor& processor = processorOf(plugin);
    EXPECT_EQ(processor.getFadeState(), Processor::SILENT);
    plugin.resume();
    renderBlocks(plugin, 1024, 512);
    EXPECT_EQ(processor.getFadeState(), Processor::FADE_IN);
    plugin.suspend();
    renderBlocks(plugin, 512, 512);
    EXPECT_EQ(processor.getFadeState(), Processor::SILENT);
    EXPECT_EQ(processor.getSynth().getRunState(), veldro::Synth::SUSPENDED_WITHOUT_SOUND);
}

TEST_F(QuillmarAudio, BlockSizeDoesNotChangeTheOutput) {
    // Notes on frames that are not sub-block starts, so that small blocks meet them after the engine
    // has rendered ahead.
    auto at = [](int frame) { return frame / static_cast<double>(RATE); };
    host::MidiSchedule schedule(RATE);
    schedule.addNote({0.0, 48, 90, at(883)});
    schedule.addNote({at(1323), 60, 100, at(4405)});
    schedule.addNote({at(5301), 67, 80, at(6613)});
    schedule.addNote({at(8827), 64, 127, at(2209)});
    constexpr int FRAMES = 16384;
    auto render = [&](int blockSize) {
        auto plugin = playing(blockSize);
        return renderBlocks(*plugin, schedule, FRAMES, blockSize);
    };
    const Stereo reference = render(512);
    ASSERT_GT(reference.rms(reference.left, 0, FRAMES), 0.01);
    for (const int blockSize : {1, 7, 8, 100, 4096}) {
        const Stereo out = render(blockSize);
        // The fade in covers the first min(block, 64) frames.
        for (std::size_t i = 64; i < FRAMES; ++i) {
            ASSERT_EQ(out.left[i], reference.left[i]) << blockSize << " frame " << i;
            ASSERT_EQ(out.right[i], reference.right[i]) << blockSize << " frame " << i;
        }
    }
}

TEST_F(QuillmarAudio, InstancesInOneProcessDoNotDisturbEachOther) {
    host::MidiSchedule notes(RATE);
    notes.addNote({0.01, 62, 100, 0.1});
    host::MidiSchedule otherNotes(RATE);
    otherNotes.addNote({0.0, 40, 127, 0.2});
    otherNotes.addProgramChange({0.05, 1});
    const Stereo reference = renderBlocks(*playing(), notes, 8192, 256);

    auto first = playing();
    auto second = playing();
    second->effect().setParameter(&second->effect(), 4, 0.9f);
    Stereo interleaved;
    for (int start = 0; start < 8192; start += 256) {
        interleaved.append(renderBlocks(*first, notes, 256, 256, start));
        renderBlocks(*second, otherNotes, 256, 256, start);
    }
    EXPECT_EQ(interleaved.left, reference.left);
    EXPECT_EQ(interleaved.right, reference.right);
}

}  // namespace
}  // namespace korvel::test

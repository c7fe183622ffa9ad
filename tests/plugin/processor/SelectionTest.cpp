// The part of the sound that plays is the selection a host sets through
// "sound.start" and "sound.end", read as the sound view shows it.
#include "QuillmarTestHost.h"
#include "support/SoundFileBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace korvel::test {
namespace {

using host::PluginInstance;

constexpr VstInt32 SOUND_START = 0;
constexpr VstInt32 SOUND_END = 1;
constexpr int SOUND_FRAMES = 44100;
constexpr int RENDER_FRAMES = 32768;

class QuillmarSelection : public ::testing::Test {
protected:
    QuillmarSelection() {
        // Silence, then a sine: only the second half can be heard.
        testing_support::SoundRecipe recipe;
        recipe.channels = 1;
        for (int i = 0; i < SOUND_FRAMES; ++i)
            recipe.samples.push_back(i < SOUND_FRAMES / 2 ? 0.0 : 0.5 * std::sin(2 * std::numbers::pi * 440.0 * i / RATE));
        testing_support::writeSoundFile(halves, recipe);
    }

    // The default patch, which plays without a note, over the selection set by the host in 0..1.
    Stereo play(float start, float end) {
        PluginInstance plugin(quillmarModule(), RATE, 512, PluginInstance::offlineHostCallback);
        plugin.restoreChunk(demo::makeState({{1, halves, {}}}));
        plugin.effect().setParameter(&plugin.effect(), SOUND_START, start);
        plugin.effect().setParameter(&plugin.effect(), SOUND_END, end);
        plugin.resume();
        return renderBlocks(plugin, RENDER_FRAMES, 512);
    }

    static double rms(const Stereo& out) { return out.rms(out.left, 0, out.left.size()); }

    ScratchFolder folder;
    std::filesystem::path halves = folder.file("halves.wav");
};

TEST_F(QuillmarSelection, AnEndAtZeroPlaysToTheEndOfTheSound) {
    const Stereo toTheEnd = play(0.5f, 1.0f);
    const Stereo firstHalf = play(0.0f, 0.5f);
    ASSERT_GT(rms(toTheEnd), 0.05);
    ASSERT_LT(rms(firstHalf), 0.2 * rms(toTheEnd));

    const Stereo endAtZero = play(0.5f, 0.0f);
    EXPECT_GT(rms(endAtZero), 0.05);
    for (std::size_t i = 0; i < RENDER_FRAMES; ++i) {
        ASSERT_EQ(endAtZero.left[i], toTheEnd.left[i]) << i;
        ASSERT_EQ(endAtZero.right[i], toTheEnd.right[i]) << i;
    }
}

TEST_F(QuillmarSelection, AHostEndAtZeroWhilePlayingGlidesToTheEndOfTheSound) {
    PluginInstance plugin(quillmarModule(), RATE, 512, PluginInstance::offlineHostCallback);
    plugin.restoreChunk(demo::makeState({{1, halves, {}}}));
    plugin.effect().setParameter(&plugin.effect(), SOUND_START, 0.5f);
    plugin.resume();
    renderBlocks(plugin, 4096, 512);
    const veldro::Synth& synth = processorOf(plugin).getSynth();

    // The end glides over the change time (1 s): a glide down through the sound would cross the start
    // and play the silent half.
    plugin.effect().setParameter(&plugin.effect(), SOUND_END, 0.0f);
    constexpr int BLOCKS_PER_WINDOW = 8;
    for (int window = 0; window < 2 * SOUND_FRAMES / (512 * BLOCKS_PER_WINDOW); ++window) {
        Stereo out;
        for (int block = 0; block < BLOCKS_PER_WINDOW; ++block) {
            out.append(renderBlocks(plugin, 512, 512));
            ASSERT_GE(synth.getPlayPosition(), SOUND_FRAMES / 2) << "window " << window;
        }
        // Grains that start by the end of the sound read on into its silent start: a window, not a block.
        ASSERT_GT(rms(out), 0.1) << "window " << window;
    }
}

}  // namespace
}  // namespace korvel::test

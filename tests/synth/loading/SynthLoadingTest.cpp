#include "synth/Synth.h"
#include "support/SoundFileBuilder.h"
#include "support/TempDir.h"

#include <audio/SoundPack.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

namespace {

using korvel::veldro::Synth;

// Polls as the editor's idle does until nothing is pending (bounded).
void pollUntilSettled(Synth& synth)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (synth.pollLoads() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
}

TEST(SynthLoading, ADroppedFileBecomesTheCurrentSoundAfterThePoll)
{
    testing_support::TempDir dir;
    testing_support::SoundRecipe recipe;
    recipe.channels = 1;
    for (int i = 0; i < 4410; ++i)
        recipe.samples.push_back(0.5 * std::sin(i * 0.05));
    auto path = dir.file("tone.wav");
    testing_support::writeSoundFile(path, recipe);

    Synth synth;
    synth.setSampleRate(44100);
    std::string status;
    synth.loadSound(path.string(), [&](const std::string& text, auto) { status = text; });
    pollUntilSettled(synth);

    ASSERT_TRUE(synth.isSoundReady()) << status;
    auto cached = synth.findSound(path.wstring());
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(cached->frameCount(), 4410u);
    EXPECT_EQ(synth.getParams().getParam(1).second, 4410.0); // selection covers the whole sound
}

TEST(SynthLoading, AMissingFileLeavesTheEngineWithoutSound)
{
    testing_support::TempDir dir;
    Synth synth;
    synth.setSampleRate(44100);
    synth.loadSound(dir.file("absent.wav").string(), [](const std::string&, auto) {});
    pollUntilSettled(synth);

    EXPECT_FALSE(synth.isSoundReady());
    auto cached = synth.findSound(dir.file("absent.wav").wstring());
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(cached->state(), 6);
}

} // namespace

#include "SoundFixture.h"

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <numbers>

using namespace testing_support;
using audio::LoadState::READY;

namespace {

SoundRecipe monoFloat(std::vector<double> samples) {
    return SoundRecipe{Container::WAVE, SampleType::FLOAT32, 1, 44100, std::move(samples)};
}

std::vector<double> sine(std::size_t frames, int channels, double frequency) {
    std::vector<double> out;
    for (std::size_t f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
            out.push_back(0.5 * std::sin(2 * std::numbers::pi * frequency * double(f) / 44100.0));
    return out;
}

} // namespace

using SoundPackTest = SoundFixture;

TEST_F(SoundPackTest, PlaceholderIsEmpty) {
    const audio::SoundPack pack(L"/some/where.wav");
    EXPECT_EQ(pack.state(), audio::LoadState::EMPTY);
    EXPECT_EQ(pack.name(), L"/some/where.wav");
    EXPECT_EQ(pack.format(), audio::SampleFormat{});
    EXPECT_EQ(pack.frameCount(), 0u);
    EXPECT_TRUE(pack.samples().empty());
    EXPECT_EQ(pack.amplitude().step, 1.0);
    EXPECT_EQ(pack.minPeak(), 0.0f);
    EXPECT_EQ(pack.maxPeak(), 0.0f);
}

TEST_F(SoundPackTest, WrapFramesRepeatTheStartAsByMemmove) {
    const auto pack = load(monoFloat({0.1, 0.2, 0.3, 0.4, 0.5}));
    ASSERT_EQ(pack->state(), READY);
    EXPECT_EQ(pack->frameCount(), 5u);
    const std::vector<float> expected{0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.1f, 0.2f, 0.3f,
                                      0.4f, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    EXPECT_EQ(pack->samples(), expected);
}

TEST_F(SoundPackTest, StereoWrapFramesKeepTheInterleaving) {
    std::vector<double> values;
    for (int f = 0; f < 12; ++f)
        values.insert(values.end(), {f / 16.0, -f / 16.0});
    const auto pack = load(SoundRecipe{Container::WAVE, SampleType::FLOAT32, 2, 44100, values});
    ASSERT_EQ(pack->samples().size(), 44u);
    for (std::size_t i = 0; i < 20; ++i)
        EXPECT_EQ(pack->samples()[24 + i], pack->samples()[i]);
}

TEST_F(SoundPackTest, FiveSecondStereoSoundHasTheExpectedTrackSizes) {
    const auto pack = load(SoundRecipe{Container::WAVE, SampleType::INT16, 2, 44100, sine(220500, 2, 440)});
    ASSERT_EQ(pack->state(), READY);
    EXPECT_EQ(pack->samples().size(), 220510u * 2);
    EXPECT_EQ(pack->amplitude().step, 1.0 / 100);
    EXPECT_EQ(pack->amplitude().values.size(), 2206u);
    EXPECT_EQ(pack->peaks().values.size(), 2206u);
    EXPECT_EQ(pack->noisiness().step, 1.0 / 64);
    EXPECT_EQ(pack->noisiness().values.size(), 3445u);
    EXPECT_NEAR(pack->maxPeak(), 0.5f, 1e-4);
    EXPECT_NEAR(pack->minPeak(), -0.5f, 1e-4);
}

TEST_F(SoundPackTest, SilenceGivesFlatTracks) {
    const auto pack = load(monoFloat(std::vector<double>(3000, 0.0)));
    ASSERT_EQ(pack->state(), READY);
    for (const float value : pack->amplitude().values)
        EXPECT_EQ(value, 0.0f);
    for (const float value : pack->noisiness().values)
        EXPECT_EQ(value, 0.0f);
    EXPECT_EQ(pack->minPeak(), 0.0f);
    EXPECT_EQ(pack->maxPeak(), 0.0f);
}

TEST_F(SoundPackTest, NothingDecodableIsNeverReady) {
    const std::vector<Bytes> files{
        SoundFileBuilder(Container::WAVE).chunk("fmt ", waveFormat(2, 1, 44100, 4)).chunk("data", Bytes(64, 0x55)).bytes(),
        SoundFileBuilder(Container::AIFC).chunk("COMM", commChunk(1, 0, 16, 44100, "ima4")).chunk("SSND", ssndChunk(Bytes(68, 1))).bytes(),
        SoundFileBuilder(Container::WAVE).chunk("fmt ", waveFormat(1, 1, 44100, 48)).chunk("data", Bytes(60, 7)).bytes(),
        Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A'},
        Bytes{'n', 'o', 'p', 'e', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        Bytes{},
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto pack = load(files[i]);
        EXPECT_EQ(pack->state(), audio::LoadState::NO_FRAMES) << "file " << i;
        EXPECT_EQ(pack->frameCount(), 0u);
    }
    EXPECT_EQ(audio::SoundPack(nullptr, L"x").state(), audio::LoadState::NO_FRAMES);
}

// A file cut short after it was opened, as when it is overwritten while it
// loads: the load fails, the process lives on.
TEST_F(SoundPackTest, AFileTruncatedWhileItLoadsFailsTheLoad) {
    const std::wstring path = writeFile(buildSoundFile(
        SoundRecipe{Container::WAVE, SampleType::INT24, 2, 44100, sine(3 * 44100, 2, 440.0)}));
    const auto file = std::make_shared<audio::Soundfile>(path);
    ASSERT_EQ(file->frameCount(), 3u * 44100);
    std::filesystem::resize_file(path, 1000);
    const audio::SoundPack pack(file, path);
    EXPECT_EQ(pack.state(), audio::LoadState::FAILED);
}

TEST_F(SoundPackTest, SoundsLongerThanOneReadSliceDecodeWhole) {
    const std::vector<double> values = sine(300000, 2, 100.0);
    const auto pack = load(SoundRecipe{Container::WAVE, SampleType::INT16, 2, 44100, values});
    ASSERT_EQ(pack->state(), READY);
    ASSERT_GT(values.size() * 2, audio::Codec::SLICE_BYTES);
    for (std::size_t i : {std::size_t(0), audio::Codec::SLICE_BYTES / 2, values.size() - 1})
        EXPECT_NEAR(pack->samples()[i], values[i], 1.0 / 16384.0) << i;
}

TEST_F(SoundPackTest, RefusesPathsThatAreNotRegularFiles) {
    const auto fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& path : {dir.path(), fifo, dir.file("missing.wav")})
        EXPECT_THROW(audio::Soundfile{path.wstring()}, std::exception) << path;
    EXPECT_THROW(audio::Soundfile{dir.path().wstring() + L"/\xD800.wav"}, std::exception);
}

// Sounds shorter than one block, one hop or even one frame: every track stays in bounds.
TEST_F(SoundPackTest, TinySoundsAreSafe) {
    for (const std::size_t frames : {1u, 2u, 9u, 11u, 23u, 31u, 32u, 54u}) {
        SCOPED_TRACE(frames);
        const auto pack = load(SoundRecipe{Container::WAVE, SampleType::INT16, 2, 44100, sine(frames, 2, 3000)});
        ASSERT_EQ(pack->state(), READY);
        const std::size_t total = frames + 10;
        EXPECT_EQ(pack->amplitude().values.size(), total / 20 + 1);
        EXPECT_EQ(pack->peaks().values.size(), total / 20 + 1);
        EXPECT_EQ(pack->noisiness().values.size(), (total + 31) / 32 / 2);
        for (const std::int32_t index : {-1, 0, 1, 7, 1000}) {
            EXPECT_TRUE(std::isfinite(pack->amplitude().valueAt(index)));
            EXPECT_TRUE(std::isfinite(pack->noisiness().valueAt(index)));
            const auto [lo, hi] = pack->peaks().get(std::uint32_t(index), 3.0f);
            EXPECT_LE(lo, hi);
            EXPECT_LE(std::abs(lo), 1.0f);
            EXPECT_LE(std::abs(hi), 1.0f);
        }
        EXPECT_LE(pack->minPeak(), pack->maxPeak());
        EXPECT_LE(std::abs(pack->minPeak()), 1.0f);
    }
}

// Swapped floats stay unclamped; even at the edge of the float range no track overflows.
TEST_F(SoundPackTest, HugeUnclampedSamplesKeepTracksFinite) {
    std::vector<double> values;
    for (int i = 0; i < 300; ++i)
        values.push_back(i % 3 == 0 ? 1e300 : (i % 3 == 1 ? -3e38 : 2.5));
    const auto pack = load(SoundRecipe{Container::AIFC, SampleType::FLOAT64, 1, 44100, values});
    ASSERT_EQ(pack->state(), READY);
    EXPECT_EQ(pack->samples()[1], -3e38f);
    EXPECT_EQ(pack->samples()[2], 2.5f);
    for (const auto* track : {&pack->amplitude().values, &pack->noisiness().values})
        for (const float value : *track)
            EXPECT_TRUE(std::isfinite(value));
}

// The loader widens UTF-8 paths; the same file must be found from the wide form.
TEST_F(SoundPackTest, OpensWidePathsBeyondAscii) {
    const auto path = dir.path() / std::filesystem::path(u8"Kl\u00e4nge \u97f3.wav");
    writeSoundFile(path, monoFloat({0.25, 0.5}));
    const std::wstring wide = dir.path().wstring() + L"/Kl\u00e4nge \u97f3.wav";
    const audio::SoundPack pack(std::make_shared<audio::Soundfile>(wide), wide);
    EXPECT_EQ(pack.state(), READY);
    EXPECT_EQ(pack.frameCount(), 2u);
}

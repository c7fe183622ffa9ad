#include "SoundFixture.h"

#include <limits>

using namespace testing_support;

namespace {

constexpr float FLOAT_BOUND = 0.99999988079071044921875f;

struct DecodeCase {
    const char* name;
    Bytes file;
    std::vector<float> expected;
};

Bytes wave(std::uint16_t tag, std::uint16_t bits, const Bytes& samples) {
    return SoundFileBuilder(Container::WAVE).chunk("fmt ", waveFormat(tag, 1, 44100, bits)).chunk("data", samples).bytes();
}

Bytes form(Container container, std::uint16_t bits, const Bytes& samples, std::string_view compression = {}) {
    return SoundFileBuilder(container)
        .chunk("COMM", commChunk(1, 0, bits, 44100, compression))
        .chunk("SSND", ssndChunk(samples))
        .bytes();
}

} // namespace

using DecodingTest = SoundFixture;

// Whole files through the loader: the sample type and byte order come from the headers.
TEST_F(DecodingTest, DecodesEachKindOfFile) {
    const std::vector<DecodeCase> cases{
        {"WAV 8", wave(1, 8, {0x80, 0xFF}), {0.0f, 1.0f}},
        {"AIFF 8", form(Container::AIFF, 8, {0x80, 0x7F}), {float(-128.0 / 127.0), 1.0f}},
        {"WAV 16", wave(1, 16, {0xFF, 0x7F}), {1.0f}},
        {"AIFF 16", form(Container::AIFF, 16, {0x80, 0x00}), {float(-32768.0 / 32767.0)}},
        {"AIFC sowt 16", form(Container::AIFC, 16, {0x00, 0x80}, "sowt"), {float(-32768.0 / 32767.0)}},
        {"AIFC sowt 24", form(Container::AIFC, 24, {0x00, 0x00, 0xC0}, "sowt"), {-0.5f}},
        {"WAV 12-bit", wave(1, 12, {0x00, 0xC0}), {float(-16384.0 / 32767.0)}},
        {"WAV 24", wave(1, 24, {0x00, 0x00, 0x40}), {0.5f}},
        {"WAV 32 integer", wave(1, 32, encodeIntegers({-1073741824}, 4, Endian::LITTLE)), {-0.5f}},
        {"AIFF 32 integer", form(Container::AIFF, 32, encodeIntegers({1073741824}, 4, Endian::BIG)), {0.5f}},
        {"WAV float", wave(3, 32, encodeSamples({1.5, -2.0}, SampleType::FLOAT32, Endian::LITTLE)), {FLOAT_BOUND, -FLOAT_BOUND}},
        {"AIFC fl32", form(Container::AIFC, 32, encodeSamples({1.5, -2.0}, SampleType::FLOAT32, Endian::BIG), "fl32"), {1.5f, -2.0f}},
        {"WAV double", wave(3, 64, encodeSamples({0.25, 3.0}, SampleType::FLOAT64, Endian::LITTLE)), {0.25f, 1.0f}},
        {"AIFC fl64", form(Container::AIFC, 64, encodeSamples({0.25, 3.0}, SampleType::FLOAT64, Endian::BIG), "fl64"), {0.25f, 3.0f}},
        {"WAV float NaN", wave(3, 32, encodeSamples({std::numeric_limits<double>::quiet_NaN()}, SampleType::FLOAT32, Endian::LITTLE)), {0.0f}},
        {"extensible 24", SoundFileBuilder(Container::WAVE).chunk("fmt ", waveExtensibleFormat(1, 1, 44100, 24)).chunk("data", {0x00, 0x00, 0xC0}).bytes(), {-0.5f}},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto pack = load(c.file);
        ASSERT_EQ(pack->state(), audio::LoadState::READY);
        ASSERT_EQ(pack->frameCount(), c.expected.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(pack->samples()[i], c.expected[i]) << "sample " << i;
    }
}

// Round trip through every container and type: what the builder encodes comes back.
TEST_F(DecodingTest, ReadsBackWhatWasWritten) {
    const std::vector<double> values{0.0, 0.5, -0.5, 0.25, -0.75, 0.125};
    struct Kind {
        Container container;
        SampleType type;
        double tolerance;
    };
    for (const Kind kind : {Kind{Container::WAVE, SampleType::UNSIGNED8, 1 / 127.0}, Kind{Container::WAVE, SampleType::INT16, 1e-4},
                            Kind{Container::WAVE, SampleType::INT24, 1e-6}, Kind{Container::WAVE, SampleType::INT32, 1e-7},
                            Kind{Container::WAVE, SampleType::FLOAT32, 0}, Kind{Container::WAVE, SampleType::FLOAT64, 0},
                            Kind{Container::AIFF, SampleType::SIGNED8, 1 / 127.0}, Kind{Container::AIFF, SampleType::INT16, 1e-4},
                            Kind{Container::AIFF, SampleType::INT24, 1e-6}, Kind{Container::AIFC, SampleType::FLOAT32, 0},
                            Kind{Container::AIFC, SampleType::FLOAT64, 0}, Kind{Container::AIFC, SampleType::INT16, 1e-4}}) {
        SCOPED_TRACE(testing::Message() << int(kind.container) << "/" << int(kind.type));
        const auto pack = load(SoundRecipe{kind.container, kind.type, 2, 48000, values});
        ASSERT_EQ(pack->state(), audio::LoadState::READY);
        EXPECT_EQ(pack->format().sampleRate, 48000u);
        EXPECT_EQ(pack->channels(), 2u);
        ASSERT_EQ(pack->frameCount(), 3u);
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_NEAR(pack->samples()[i], values[i], kind.tolerance);
    }
}

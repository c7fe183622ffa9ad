#include "SoundFixture.h"

#include "audio/RiffCodec.h"

#include <cstring>

using namespace testing_support;
using audio::SampleFormat;

namespace {

Bytes zeros(std::size_t count) { return Bytes(count, 0); }

const audio::RiffCodec& riffCodec(const audio::Soundfile& file) {
    const auto* codec = dynamic_cast<const audio::RiffCodec*>(file.codec());
    if (!codec)
        throw std::logic_error("no RIFF codec");
    return *codec;
}

Bytes truncated(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

} // namespace

using RiffCodecTest = SoundFixture;

TEST_F(RiffCodecTest, ReadsAPlainStereoWave) {
    const auto file = open(SoundFileBuilder(Container::WAVE)
                               .chunk("fmt ", waveFormat(1, 2, 44100, 16))
                               .chunk("data", zeros(400))
                               .bytes());
    const auto& codec = riffCodec(*file);
    EXPECT_EQ(codec.format(), (SampleFormat{44100, 2, 2}));
    EXPECT_EQ(codec.dataChunkRef().offset, 36u);
    EXPECT_EQ(codec.dataStart(), 44u);
    EXPECT_EQ(file->frameCount(), 100u);
    EXPECT_TRUE(codec.riff());
}

TEST_F(RiffCodecTest, WalksPastOtherAndOddSizedChunks) {
    const auto file = open(SoundFileBuilder(Container::WAVE)
                               .chunk("LIST", Bytes{1, 2, 3})
                               .chunk("junk", zeros(5))
                               .chunk("fmt ", waveFormat(1, 1, 8000, 16))
                               .chunk("data", zeros(21))
                               .chunk("cue ", zeros(4))
                               .bytes());
    const auto& codec = riffCodec(*file);
    EXPECT_EQ(codec.formatChunkRef().offset, 12u + 12 + 14);
    EXPECT_EQ(codec.format(), (SampleFormat{8000, 1, 2}));
    EXPECT_EQ(file->frameCount(), 10u);
}

TEST_F(RiffCodecTest, LaterFormatChunkReplacesEarlierOne) {
    const auto file = open(SoundFileBuilder(Container::WAVE)
                               .chunk("fmt ", waveFormat(1, 2, 44100, 16))
                               .chunk("data", zeros(48))
                               .chunk("fmt ", waveFormat(1, 1, 22050, 24))
                               .bytes());
    EXPECT_EQ(file->codec()->format(), (SampleFormat{22050, 1, 3}));
    EXPECT_EQ(file->frameCount(), 16u);
}

TEST_F(RiffCodecTest, CutsALyingDataChunkToTheFile) {
    const auto file = open(SoundFileBuilder(Container::WAVE)
                               .chunk("fmt ", waveFormat(1, 2, 44100, 16))
                               .chunkClaiming("data", 1000000, zeros(4000))
                               .bytes());
    EXPECT_EQ(file->frameCount(), 1000u);
}

TEST_F(RiffCodecTest, SsndOffsetMovesTheSamples) {
    const auto file = open(SoundFileBuilder(Container::AIFF)
                               .chunk("COMM", commChunk(2, 3, 16, 44100))
                               .chunk("SSND", ssndChunk(encodeIntegers({1, 2, 3, 4, 5, 6}, 2, Endian::BIG), 4))
                               .bytes());
    const auto& codec = riffCodec(*file);
    EXPECT_FALSE(codec.riff());
    EXPECT_EQ(codec.dataStart(), codec.dataChunkRef().offset + 8 + 8 + 4);
    EXPECT_EQ(file->frameCount(), 3u);
    float samples[6] = {};
    codec.readFrames(samples, 3);
    EXPECT_GT(samples[0], 0.0f);
    EXPECT_FLOAT_EQ(samples[5], 6.0f * samples[0]);
}

TEST_F(RiffCodecTest, ReadsExactExtendedSampleRates) {
    for (const std::uint32_t rate : {44100u, 48000u, 8000u, 11025u, 96000u, 1u, 4294967295u}) {
        const auto file = open(SoundFileBuilder(Container::AIFF)
                                   .chunk("COMM", commChunk(1, 1, 16, rate))
                                   .chunk("SSND", ssndChunk(zeros(2)))
                                   .bytes());
        EXPECT_EQ(file->codec()->format().sampleRate, rate);
        EXPECT_EQ(file->frameCount(), 1u) << rate;
    }
}

TEST_F(RiffCodecTest, RefusesSampleRatesThatCannotBeRead) {
    Bytes notANumber = commChunk(1, 1, 16, 44100);
    notANumber[8] = 0x7F;
    notANumber[9] = 0xFF;
    for (const Bytes& comm : {commChunk(1, 1, 16, 0), commChunk(1, 1, 16, -44100), commChunk(1, 1, 16, 0.5),
                              commChunk(1, 1, 16, 4294967296.0), notANumber}) {
        const auto file = open(SoundFileBuilder(Container::AIFF).chunk("COMM", comm).chunk("SSND", ssndChunk(zeros(2))).bytes());
        EXPECT_EQ(file->codec()->format().sampleRate, 0u);
        EXPECT_EQ(file->frameCount(), 0u);
    }
    const auto wave = open(SoundFileBuilder(Container::WAVE).chunk("fmt ", waveFormat(1, 1, 0, 16)).chunk("data", zeros(8)).bytes());
    EXPECT_EQ(wave->frameCount(), 0u);
}

struct FormatCase {
    const char* name;
    Container container;
    Bytes format;
    std::uint32_t bytesPerSample;
};

TEST_F(RiffCodecTest, TakesTheSampleTypeFromTheFormatChunk) {
    const std::vector<FormatCase> cases{
        {"PCM 8", Container::WAVE, waveFormat(1, 1, 44100, 8), 1},
        {"PCM 16", Container::WAVE, waveFormat(1, 1, 44100, 16), 2},
        {"PCM 24", Container::WAVE, waveFormat(1, 1, 44100, 24), 3},
        {"PCM 32 is integer", Container::WAVE, waveFormat(1, 1, 44100, 32), SampleFormat::INT32},
        {"PCM 12 in two bytes", Container::WAVE, waveFormat(1, 1, 44100, 12), 2},
        {"PCM 20 in three bytes", Container::WAVE, waveFormat(1, 1, 44100, 20), 3},
        {"PCM 40 has no converter", Container::WAVE, waveFormat(1, 1, 44100, 40), 0},
        {"float 32", Container::WAVE, waveFormat(3, 1, 44100, 32), 4},
        {"float 64", Container::WAVE, waveFormat(3, 1, 44100, 64), 8},
        {"ADPCM", Container::WAVE, waveFormat(2, 1, 44100, 4), 0},
        {"mu-law", Container::WAVE, waveFormat(7, 1, 44100, 8), 0},
        {"extensible PCM 24", Container::WAVE, waveExtensibleFormat(1, 1, 44100, 24), 3},
        {"extensible PCM 32", Container::WAVE, waveExtensibleFormat(1, 1, 44100, 32), SampleFormat::INT32},
        {"extensible float 64", Container::WAVE, waveExtensibleFormat(3, 1, 44100, 64), 8},
        {"extensible without its sub-format", Container::WAVE, waveFormat(0xFFFE, 1, 44100, 16), 0},
        {"AIFF 8", Container::AIFF, commChunk(1, 0, 8, 44100), 1},
        {"AIFF 24", Container::AIFF, commChunk(1, 0, 24, 44100), 3},
        {"AIFF 32 is integer", Container::AIFF, commChunk(1, 0, 32, 44100), SampleFormat::INT32},
        {"AIFF 14 in two bytes", Container::AIFF, commChunk(1, 0, 14, 44100), 2},
        {"AIFC NONE", Container::AIFC, commChunk(1, 0, 16, 44100, "NONE"), 2},
        {"AIFC twos", Container::AIFC, commChunk(1, 0, 24, 44100, "twos"), 3},
        {"AIFC sowt", Container::AIFC, commChunk(1, 0, 16, 44100, "sowt"), 2},
        {"AIFC fl32", Container::AIFC, commChunk(1, 0, 32, 44100, "fl32"), 4},
        {"AIFC FL32", Container::AIFC, commChunk(1, 0, 32, 44100, "FL32"), 4},
        {"AIFC fl64", Container::AIFC, commChunk(1, 0, 64, 44100, "fl64"), 8},
        {"AIFC ima4", Container::AIFC, commChunk(1, 0, 16, 44100, "ima4"), 0},
        {"AIFC ulaw", Container::AIFC, commChunk(1, 0, 16, 44100, "ulaw"), 0},
        {"AIFC without compression type", Container::AIFC, commChunk(1, 0, 16, 44100), 0},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.name);
        const bool wave = c.container == Container::WAVE;
        const auto file = open(SoundFileBuilder(c.container)
                                   .chunk(wave ? "fmt " : "COMM", c.format)
                                   .chunk(wave ? "data" : "SSND", wave ? zeros(64) : ssndChunk(zeros(64)))
                                   .bytes());
        EXPECT_EQ(file->codec()->format().bytesPerSample, c.bytesPerSample);
        EXPECT_EQ(file->codec()->converter() != nullptr, c.bytesPerSample != 0);
        EXPECT_EQ(file->frameCount() > 0, c.bytesPerSample != 0);
    }
}

TEST_F(RiffCodecTest, GivesNoFramesWithoutFormatOrData) {
    const std::vector<Bytes> files{
        SoundFileBuilder(Container::WAVE).chunk("data", zeros(40)).bytes(),
        SoundFileBuilder(Container::WAVE).chunk("fmt ", waveFormat(1, 2, 44100, 16)).bytes(),
        SoundFileBuilder(Container::WAVE).chunk("fmt ", waveFormat(1, 0, 44100, 16)).chunk("data", zeros(40)).bytes(),
        SoundFileBuilder(Container::WAVE).chunk("fmt ", waveFormat(1, 2, 44100, 0)).chunk("data", zeros(40)).bytes(),
        SoundFileBuilder(Container::WAVE).chunk("fmt ", waveFormat(1, 2, 44100, 16)).chunk("data", {}).bytes(),
        SoundFileBuilder(Container::AIFF).chunk("SSND", ssndChunk(zeros(40))).bytes(),
        SoundFileBuilder(Container::AIFF).chunk("COMM", commChunk(2, 10, 16, 44100)).bytes(),
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto file = open(files[i]);
        ASSERT_NE(file->codec(), nullptr);
        EXPECT_EQ(file->frameCount(), 0u) << "file " << i;
    }
}

TEST_F(RiffCodecTest, KnowsOnlyRiffAndFormContainers) {
    Bytes rifx = buildSoundFile({});
    std::memcpy(rifx.data(), "RIFX", 4);
    for (const Bytes& bytes : {rifx, Bytes{'O', 'g', 'g', 'S', 0, 0, 0, 0, 0, 0, 0, 0}, Bytes{'R', 'I'}}) {
        const auto file = open(bytes);
        EXPECT_EQ(file->codec(), nullptr);
        EXPECT_EQ(file->frameCount(), 0u);
    }
}

// Headers that would reach past the end of the mapping are treated as absent.
TEST_F(RiffCodecTest, NeverReadsHeadersPastTheFile) {
    const Bytes wave = buildSoundFile({.channels = 1, .samples = {0.5, 0.25}});
    const Bytes aiff = buildSoundFile({.container = Container::AIFF, .channels = 1, .samples = {0.5, 0.25}});
    const std::vector<std::pair<const char*, Bytes>> files{
        {"RIFF header only", Bytes{'R', 'I', 'F', 'F'}},
        {"RIFF under 12 bytes", truncated(wave, 11)},
        {"FORM under 12 bytes", truncated(aiff, 9)},
        {"fmt under 16 bytes", SoundFileBuilder(Container::WAVE).chunk("fmt ", truncated(waveFormat(1, 1, 44100, 16), 14)).chunk("data", zeros(8)).bytes()},
        {"fmt cut by the file end", truncated(wave, 12 + 8 + 10)},
        {"COMM under 18 bytes", SoundFileBuilder(Container::AIFF).chunk("COMM", truncated(commChunk(1, 1, 16, 44100), 16)).chunk("SSND", ssndChunk(zeros(8))).bytes()},
        {"COMM cut by the file end", truncated(aiff, 12 + 8 + 12)},
        {"SSND offset field cut", truncated(aiff, 12 + 26 + 8 + 2)},
        {"SSND offset past the file", SoundFileBuilder(Container::AIFF).chunk("COMM", commChunk(1, 1, 16, 44100)).chunk("SSND", Bytes{0xFF, 0xFF, 0xFF, 0xF0, 0, 0, 0, 0, 1, 2}).bytes()},
        {"SSND smaller than its header", SoundFileBuilder(Container::AIFF).chunk("COMM", commChunk(1, 1, 16, 44100)).chunkClaiming("SSND", 2, Bytes{0, 0, 0, 0, 0, 0, 0, 0, 1, 2}).bytes()},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const auto file = open(bytes);
        EXPECT_EQ(file->frameCount(), 0u);
    }
}

TEST_F(RiffCodecTest, EndsTheWalkAtAChunkRunningPastTheEnd) {
    const auto file = open(SoundFileBuilder(Container::WAVE)
                               .chunk("fmt ", waveFormat(1, 1, 44100, 16))
                               .chunkClaiming("LIST", 0xFFFFFFFF, zeros(6))
                               .chunk("data", zeros(8))
                               .bytes());
    EXPECT_FALSE(riffCodec(*file).dataChunkRef().found());
    EXPECT_EQ(file->frameCount(), 0u);
}

#include "HostOptions.h"
#include "MidiSchedule.h"
#include "WavBytes.h"
#include "WavWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace korvel::test {
namespace {

using namespace korvel::host;

struct Seen {
    VstInt32 delta;
    int status, data1, data2;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> collected(const MidiSchedule& schedule, std::int64_t start, int frames) {
    EventBlock block;
    schedule.collect(start, frames, block);
    std::vector<Seen> seen;
    for (int i = 0; i < block.size(); ++i) {
        const VstMidiEvent& event = block.event(i);
        EXPECT_EQ(event.type, kVstMidiType);
        EXPECT_EQ(event.byteSize, static_cast<VstInt32>(sizeof(VstMidiEvent)));
        EXPECT_EQ(block.events()->events[i], reinterpret_cast<const VstEvent*>(&event));
        seen.push_back({event.deltaFrames, static_cast<unsigned char>(event.midiData[0]),
                        static_cast<unsigned char>(event.midiData[1]), static_cast<unsigned char>(event.midiData[2])});
    }
    EXPECT_EQ(block.events()->numEvents, block.size());
    return seen;
}

TEST(MidiSchedule, HandsEachMessageToTheBlockHoldingItsFrame) {
    MidiSchedule schedule(1000);
    schedule.addNote({0.010, 60, 100, 0.020});  // frames 10 .. 30
    schedule.addProgramChange({0.015, 5});
    EXPECT_EQ(collected(schedule, 0, 10), std::vector<Seen>{});
    EXPECT_EQ(collected(schedule, 8, 10), (std::vector<Seen>{{2, 0x90, 60, 100}, {7, 0xC0, 5, 0}}));
    EXPECT_EQ(collected(schedule, 18, 12), std::vector<Seen>{});
    EXPECT_EQ(collected(schedule, 30, 1), (std::vector<Seen>{{0, 0x80, 60, 0}}));
}

TEST(MidiSchedule, AtOneFrameOffsComeBeforeProgramChangesBeforeOns) {
    MidiSchedule schedule(1000);
    schedule.addNote({0.010, 64, 90, 0.005});
    schedule.addNote({0.000, 60, 80, 0.010});
    schedule.addProgramChange({0.010, 3});
    EXPECT_EQ(collected(schedule, 10, 1),
              (std::vector<Seen>{{0, 0x80, 60, 0}, {0, 0xC0, 3, 0}, {0, 0x90, 64, 90}}));
}

TEST(MidiSchedule, RefusesValuesOutsideMidi) {
    MidiSchedule schedule(44100);
    EXPECT_THROW(schedule.addNote({0, 128, 100, 1}), HostError);
    EXPECT_THROW(schedule.addNote({0, 60, 0, 1}), HostError);
    EXPECT_THROW(schedule.addNote({0, 60, 100, 0}), HostError);
    EXPECT_THROW(schedule.addNote({-1, 60, 100, 1}), HostError);
    EXPECT_THROW(schedule.addNote({NAN, 60, 100, 1}), HostError);
    EXPECT_THROW(schedule.addProgramChange({0, 200}), HostError);
}

TEST(MidiSchedule, AFullBlockIsReportedNotOverrun) {
    MidiSchedule schedule(1000);
    for (int i = 0; i <= EventBlock::CAPACITY; ++i) schedule.addProgramChange({0, i % 128});
    EventBlock block;
    EXPECT_THROW(schedule.collect(0, 1, block), HostError);
}

TEST(WavWriter, Pcm16HeaderAndClippedSamples) {
    testing_support::TempDir dir;
    const auto path = dir.file("out.wav");
    const std::array<float, 4> left{0.5f, -1.5f, NAN, 1.0f};
    const std::array<float, 4> right{-0.5f, 2.0f, 0.0f, -1.0f};
    const float* channels[] = {left.data(), right.data()};
    {
        WavWriter writer(path, 2, 48000, WavFormat::PCM16);
        writer.write(channels, 3);
        writer.write(channels, 0);
        const float* rest[] = {left.data() + 3, right.data() + 3};
        writer.write(rest, 1);
        writer.finish();
        EXPECT_EQ(writer.clippedSamples(), 2);  // -1.5 and 2; NaN and full scale are not clipped
    }
    const FileBytes file(path);
    ASSERT_EQ(file.bytes.size(), PCM_DATA + 16);
    EXPECT_EQ(file.tag(0), "RIFF");
    EXPECT_EQ(file.u32(4), file.bytes.size() - 8);
    EXPECT_EQ(file.tag(8), "WAVE");
    EXPECT_EQ(file.tag(12), "fmt ");
    EXPECT_EQ(file.u32(16), 16u);
    EXPECT_EQ(file.u16(20), 1);      // PCM
    EXPECT_EQ(file.u16(22), 2);      // channels
    EXPECT_EQ(file.u32(24), 48000u);
    EXPECT_EQ(file.u32(28), 48000u * 4);
    EXPECT_EQ(file.u16(32), 4);
    EXPECT_EQ(file.u16(34), 16);
    EXPECT_EQ(file.tag(36), "data");
    EXPECT_EQ(file.u32(40), 16u);
    const std::int16_t expected[] = {16384, -16384, -32767, 32767, 0, 0, 32767, -32767};
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(file.s16(PCM_DATA + 2 * i), expected[i]) << i;
}

TEST(WavWriter, FloatFileCarriesFactChunkAndExactSamples) {
    testing_support::TempDir dir;
    const auto path = dir.file("out.wav");
    const std::array<float, 3> mono{0.25f, -3.0f, 1e-7f};
    const float* channels[] = {mono.data()};
    WavWriter writer(path, 1, 44100, WavFormat::FLOAT32);
    writer.write(channels, 3);
    writer.finish();
    const FileBytes file(path);
    EXPECT_EQ(file.u32(4), file.bytes.size() - 8);
    EXPECT_EQ(file.u32(16), 18u);
    EXPECT_EQ(file.u16(20), 3);  // IEEE float
    EXPECT_EQ(file.u16(34), 32);
    EXPECT_EQ(file.u16(36), 0);
    EXPECT_EQ(file.tag(38), "fact");
    EXPECT_EQ(file.u32(46), 3u);
    EXPECT_EQ(file.tag(50), "data");
    EXPECT_EQ(file.u32(54), 12u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(file.f32(58 + 4 * i), mono[i]);
    EXPECT_EQ(writer.clippedSamples(), 0);
}

TEST(WavWriter, UnfinishedFileIsCompletedOnDestruction) {
    testing_support::TempDir dir;
    const std::array<float, 2> mono{0.5f, 0.5f};
    const float* channels[] = {mono.data()};
    { WavWriter(dir.file("a.wav"), 1, 8000, WavFormat::PCM16).write(channels, 2); }
    EXPECT_EQ(FileBytes(dir.file("a.wav")).u32(40), 4u);
}

TEST(WavWriter, HeaderClaimsTheSamplesInTheFileAsTheyArrive) {
    testing_support::TempDir dir;
    const auto path = dir.file("out.wav");
    const std::vector<float> mono(100, 0.25f);
    const float* channels[] = {mono.data()};
    WavWriter writer(path, 1, 8000, WavFormat::PCM16);
    EXPECT_EQ(FileBytes(path).u32(40), 0u);
    for (int block = 0; block < 80; ++block) writer.write(channels, 100);  // one second
    auto expectClaimed = [&](std::uint32_t data) {
        const FileBytes file(path);
        EXPECT_EQ(file.bytes.size(), PCM_DATA + data);
        EXPECT_EQ(file.u32(40), data);
        EXPECT_EQ(file.u32(4), file.bytes.size() - 8);
    };
    expectClaimed(16000);
    writer.write(channels, 100);  // held back until the next second
    expectClaimed(16000);
    writer.finish();
    EXPECT_EQ(FileBytes(path).u32(40), 16200u);
}

TEST(WavWriter, UnwritablePathIsReportedWithTheReason) {
    try {
        WavWriter("/nonexistent-folder/out.wav", 2, 44100, WavFormat::PCM16);
        FAIL() << "no error";
    } catch (const HostError& error) {
        EXPECT_STREQ(error.what(), "cannot create /nonexistent-folder/out.wav: No such file or directory");
    }
}

TEST(HostOptions, ReadsEveryOption) {
    const HostOptions options = parseHostOptions(
        {"plug.so", "--list", "--state", "s.json", "--out", "o.wav", "--seconds", "2.5", "--block", "64", "--rate",
         "48000", "--format", "float", "--note", "0.5:60:100:1.25", "--note", "1:62:1:0.1", "--program", "0.25:7"});
    EXPECT_EQ(options.plugin, "plug.so");
    EXPECT_TRUE(options.list);
    EXPECT_EQ(options.state, "s.json");
    EXPECT_EQ(options.output, "o.wav");
    EXPECT_EQ(options.seconds, 2.5);
    EXPECT_EQ(options.blockSize, 64);
    EXPECT_EQ(options.sampleRate, 48000);
    EXPECT_EQ(options.format, WavFormat::FLOAT32);
    ASSERT_EQ(options.notes.size(), 2u);
    EXPECT_EQ(options.notes[0].start, 0.5);
    EXPECT_EQ(options.notes[0].key, 60);
    EXPECT_EQ(options.notes[0].velocity, 100);
    EXPECT_EQ(options.notes[0].length, 1.25);
    ASSERT_EQ(options.programs.size(), 1u);
    EXPECT_EQ(options.programs[0].time, 0.25);
    EXPECT_EQ(options.programs[0].program, 7);
}

TEST(HostOptions, DefaultsAndHelp) {
    const HostOptions options = parseHostOptions({"plug.so", "--out", "o.wav"});
    EXPECT_EQ(options.seconds, 4);
    EXPECT_EQ(options.blockSize, 512);
    EXPECT_EQ(options.sampleRate, 44100);
    EXPECT_EQ(options.format, WavFormat::PCM16);
    EXPECT_FALSE(options.list);
    EXPECT_TRUE(parseHostOptions({"--help"}).help);
    EXPECT_EQ(parseHostOptions({"plug.so", "--out", "o.wav", "--sound", "loop.wav"}).sound, "loop.wav");
}

TEST(HostOptions, RefusesBadCommandLines) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"plug.so"},
        {"--list"},
        {"a.so", "b.so", "--list"},
        {"plug.so", "--list", "--bogus"},
        {"plug.so", "--out"},
        {"plug.so", "--list", "--block", "0"},
        {"plug.so", "--list", "--block", "12x"},
        {"plug.so", "--list", "--seconds", "-1"},
        {"plug.so", "--list", "--seconds", "nan"},
        {"plug.so", "--list", "--rate", "10"},
        {"plug.so", "--list", "--format", "24"},
        {"plug.so", "--list", "--note", "0:60:100"},
        {"plug.so", "--list", "--note", "0:128:100:1"},
        {"plug.so", "--list", "--note", "0:60:0:1"},
        {"plug.so", "--list", "--note", "0:60:100:0"},
        {"plug.so", "--list", "--program", "1"},
        {"plug.so", "--list", "--program", "0:128"},
        {"plug.so", "--list", "--state", "s.json", "--sound", "loop.wav"},
    };
    for (const auto& arguments : cases) {
        std::string line;
        for (const auto& argument : arguments) line += argument + ' ';
        EXPECT_THROW(parseHostOptions(arguments), UsageError) << line;
    }
}

}  // namespace
}  // namespace korvel::test

// What quillmar-host tells a user about the sound and the state it is given, rendering Quillmar.so.
#include "DemoContent.h"
#include "HostToolRun.h"
#include "support/SoundFileBuilder.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace korvel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;
namespace support = testing_support;

std::string quillmar() { return shellWord(QUILLMAR_PLUGIN); }

class HostToolInput : public ::testing::Test {
protected:
    std::filesystem::path file(const std::string& name) const { return dir.file(name); }
    std::filesystem::path chord() const {
        const auto path = file("chord.wav");
        if (!std::filesystem::exists(path)) demo::writeChord(path, {220.0, 330.0}, 1.0);
        return path;
    }
    std::filesystem::path state(const std::string& name, const std::vector<demo::StoredSlot>& slots) const {
        const auto path = file(name);
        std::ofstream(path) << demo::makeState(slots);
        return path;
    }
    ToolRun render(const std::string& input, const std::string& more = {}) const {
        return runHost(quillmar() + " " + input + " --note 0:57:100:0.5 --seconds 1 --out " +
                           shellWord(file("out.wav")) + more,
                       dir.path());
    }

    support::TempDir dir;
};

TEST_F(HostToolInput, SoundThatDoesNotLoadIsNamedWithItsReasonAndFails) {
    std::ofstream(file("text.wav")) << "just some words";
    std::ofstream(file("empty.wav"));
    std::filesystem::create_directory(file("folder.wav"));
    support::writeBytes(file("adpcm.wav"), support::SoundFileBuilder(support::Container::WAVE)
                                               .chunk("fmt ", support::waveFormat(2, 1, 44100, 4))
                                               .chunk("data", support::Bytes(64, 0x11))
                                               .bytes());
    support::writeBytes(file("frameless.wav"), support::SoundFileBuilder(support::Container::WAVE)
                                                   .chunk("fmt ", support::waveFormat(1, 2, 44100, 16))
                                                   .chunk("data", {})
                                                   .bytes());
    const std::pair<std::string, std::string> cases[] = {
        {"missing.wav", "no such file"},
        {"gone/missing.wav", "no such file, and its folder " + file("gone").string() + " does not exist either"},
        {"text.wav", "not a sound file (neither WAV nor AIFF)"},
        {"empty.wav", "the file is empty"},
        {"folder.wav", "it is a folder, not a sound file"},
        {"adpcm.wav", "unsupported format: its samples are compressed"},
        {"frameless.wav", "it holds no sound frames"},
    };
    for (const auto& [name, reason] : cases) {
        const ToolRun run = render("--sound " + shellWord(name));
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_THAT(run.output, StartsWith("quillmar-host: sound " + file(name).string() + " did not load: " + reason))
            << name;
        EXPECT_FALSE(std::filesystem::exists(file("out.wav"))) << name;
    }
}

TEST_F(HostToolInput, StateSoundsArePlayedSoundsOnly) {
    const auto missing = file("missing.wav");
    const auto live = state("live.json", {{1, missing, {}}});
    ToolRun run = render("--state " + shellWord(live));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.output, StartsWith("quillmar-host: sound " + missing.string() +
                                       " (patch slot 1) did not load: no such file\n"));

    // A slot that a program change recalls counts; one that nothing recalls does not.
    const auto other = state("other.json", {{1, chord(), {}}, {7, missing, {}}});
    EXPECT_EQ(render("--state " + shellWord(other)).exitCode, 0);
    run = render("--state " + shellWord(other), " --program 0.5:7");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.output, HasSubstr("(patch slot 7) did not load: no such file"));
    // Unless patches keep their sound when recalled.
    const auto keeping = state("keeping.json", {{1, chord(), {{"apply.patch_soundfile", 0.0}}}, {7, missing, {}}});
    EXPECT_EQ(render("--state " + shellWord(keeping), " --program 0.5:7").exitCode, 0);
}

TEST_F(HostToolInput, SoundNameThatIsNoUnicodeIsToldNotThrown) {
    std::ofstream(file("surrogate.json")) << R"({"patch.1": {"soundfile": "\ud800.wav", "timestamp": 1}})";
    const ToolRun run = render("--state surrogate.json");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "quillmar-host: sound (a name that is no Unicode text) (patch slot 1) did not load: "
                          "it cannot be read: bad conversion\n");
}

TEST_F(HostToolInput, StateThatDoesNotReadIsNamedWithTheReadersMessageAndFails) {
    std::ofstream(file("cut.json")) << "{\"patch.1\": {\"grain.rate\": 3";
    std::ofstream(file("prose.json")) << "hello";
    std::ofstream(file("empty.json"));
    const std::pair<std::string, std::string> cases[] = {
        {"cut.json", "state file cut.json does not read: JSON expected }\n"},
        {"prose.json", "state file prose.json holds no state: its text is not a JSON object\n"},
        {"empty.json", "state file empty.json is empty\n"},
    };
    for (const auto& [name, message] : cases) {
        const ToolRun run = render("--state " + name);
        EXPECT_EQ(run.exitCode, 1) << name;
        // Told once, with the file's name: the reader's own line is not repeated bare.
        EXPECT_EQ(run.output, "quillmar-host: " + message) << name;
    }
}

TEST_F(HostToolInput, StateThatThePluginRefusesIsToldAndFailsForAListingToo) {
    std::ofstream(file("foreign.json")) << R"({"foo": 1})";
    std::ofstream(file("empty-object.json")) << "{}";
    // Its only slot has no "timestamp": nothing in it reads.
    std::ofstream(file("no-timestamp.json")) << "{\"patch.1\": {\"soundfile\": \"" << chord().string() << "\"}}";
    const std::string why = " holds no state: the plug-in reads no patch slot (\"patch.N\") or option in it\n";
    for (const std::string name : {"foreign.json", "empty-object.json", "no-timestamp.json"}) {
        const ToolRun listing = runHost(quillmar() + " --list --state " + name, dir.path());
        for (const ToolRun& run : {listing, render("--state " + name)}) {
            EXPECT_EQ(run.exitCode, 1) << name;
            EXPECT_EQ(run.output, "quillmar-host: state file " + name + why) << name;
        }
        EXPECT_FALSE(std::filesystem::exists(file("out.wav"))) << name;
    }
}

TEST_F(HostToolInput, StateThatNamesNoSoundIsToldAndFails) {
    std::ofstream(file("no-soundfile.json")) << "{\"patch.1\": {\"timestamp\": 1}}";
    const std::string told = "quillmar-host: state file no-soundfile.json names no sound, so the rendering would be "
                             "silent: patch slot 1, which plays, is empty or without a sound file (a slot without a "
                             "\"timestamp\" is empty)\n";
    for (const std::string notes : {"", " --note 0.5:60:100:0.25"}) {
        const ToolRun run = render("--state no-soundfile.json", notes);
        EXPECT_EQ(run.exitCode, 1) << notes;
        EXPECT_EQ(run.output, told) << notes;
        EXPECT_FALSE(std::filesystem::exists(file("out.wav"))) << notes;
    }
    // Slots that program changes recall are named too; a listing alone needs no sound.
    const ToolRun programs = render("--state no-soundfile.json", " --program 0.5:7 --program 0.7:9");
    EXPECT_THAT(programs.output, HasSubstr("patch slots 1, 7 and 9, which play, are empty"));
    EXPECT_EQ(runHost(quillmar() + " --list --state no-soundfile.json", dir.path()).exitCode, 0);
}

TEST_F(HostToolInput, SoundCutShortIsToldWithTheFramesThatPlay) {
    // The data chunk's header says 1000 stereo 16-bit frames; the file ends after 600.
    support::writeBytes(file("cut.wav"), support::SoundFileBuilder(support::Container::WAVE)
                                             .chunk("fmt ", support::waveFormat(1, 2, 44100, 16))
                                             .chunkClaiming("data", 1000 * 4, support::Bytes(600 * 4, 0x20))
                                             .bytes());
    auto cutShort = [&](const std::string& origin) {
        return "quillmar-host: warning: sound " + file("cut.wav").string() + origin +
               " is cut short: its header gives 1000 frames, the file holds 600; those 600 frames play\n";
    };
    ToolRun run = render("--sound cut.wav");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, StartsWith(cutShort("")));
    run = render("--state " + shellWord(state("cut.json", {{1, file("cut.wav"), {}}})));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, StartsWith(cutShort(" (patch slot 1)")));
    // A whole file is not told.
    EXPECT_THAT(render("--sound " + shellWord(chord())).output, Not(HasSubstr("cut short")));
}

TEST_F(HostToolInput, SoundAloneRendersTheDefaultPatch) {
    const ToolRun run = render("--sound " + shellWord(chord().filename()) + " --list");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    // Every parameter at its default, as a fresh slot stores it: the length's 100 ms among them.
    EXPECT_THAT(run.output, HasSubstr("grain.length                 100"));
    EXPECT_THAT(run.output, HasSubstr("wrote " + file("out.wav").string() + ": 2 channels, 44100 frames"));
    EXPECT_THAT(run.output, Not(HasSubstr("peak 0,")));
    EXPECT_THAT(run.output, Not(HasSubstr("warning")));
}

TEST_F(HostToolInput, SilenceIsToldWithWhereASoundComesFrom) {
    // No state file in the tool's folder, and none given: nothing to play.
    const ToolRun run = render("");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("peak 0, RMS 0\nquillmar-host: warning: the rendering is silent (give the "
                                      "plug-in a sound: --sound FILE or --state FILE)\n"));
}

TEST_F(HostToolInput, ClippingIsCountedWithTheFloatFormatSuggested) {
    // Dense loud grains without density compensation sum far above full scale.
    const auto loud = state("loud.json", {{1, chord(), {{"grain.amp", 3.0}, {"grain.rate", 400.0},
                                                       {"grain.length", 1000.0}, {"density.compensation", 0.0}}}});
    const ToolRun pcm = render("--state " + shellWord(loud));
    ASSERT_EQ(pcm.exitCode, 0) << pcm.output;
    EXPECT_THAT(pcm.output, ::testing::ContainsRegex("warning: [1-9][0-9]* samples clipped .*--format float"));

    const ToolRun floats = render("--state " + shellWord(loud), " --format float");
    ASSERT_EQ(floats.exitCode, 0) << floats.output;
    EXPECT_THAT(floats.output, Not(HasSubstr("clipped")));
}

}  // namespace
}  // namespace korvel::test

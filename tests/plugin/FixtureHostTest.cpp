// The host's pieces against a plug-in module built from our base classes,
// loaded through dlopen and its AEffect record only.
#include "HostError.h"
#include "Listing.h"
#include "PluginInstance.h"
#include "Render.h"
#include "WavBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <dlfcn.h>

#include <sstream>

namespace korvel::test {
namespace {

using namespace korvel::host;
using ::testing::HasSubstr;

constexpr float RATE = 8000;

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const HostError& error) {
        return error.what();
    }
    return "no error";
}

// Renders the fixture with a note from frame 800 to 1200 and program 9 from frame 1000.
std::vector<float> renderFixture(int blockSize) {
    testing_support::TempDir dir;
    const PluginModule module(QUILLMAR_FIXTURE_SYNTH);
    PluginInstance plugin(module, RATE, blockSize);
    MidiSchedule schedule(RATE);
    schedule.addNote({0.1, 60, 127, 0.05});
    schedule.addProgramChange({0.125, 9});
    {
        WavWriter out(dir.file("out.wav"), 2, static_cast<int>(RATE), WavFormat::FLOAT32);
        plugin.resume();
        const RenderSummary summary = render(plugin, schedule, 1600, blockSize, out);
        EXPECT_EQ(summary.frames, 1600);
        EXPECT_FLOAT_EQ(summary.peak, 0.5f);
        out.finish();
    }
    const FileBytes file(dir.file("out.wav"));
    std::vector<float> samples;
    for (std::size_t at = 58; at + 4 <= file.bytes.size(); at += 4) samples.push_back(file.f32(at));
    return samples;
}

TEST(FixtureHost, MessagesLandOnTheirExactFrames) {
    const std::vector<float> samples = renderFixture(64);
    ASSERT_EQ(samples.size(), 3200u);
    const auto left = [&](std::size_t frame) { return samples[2 * frame]; };
    const auto right = [&](std::size_t frame) { return samples[2 * frame + 1]; };
    EXPECT_EQ(left(799), 0.0f);
    EXPECT_EQ(left(800), 0.5f);
    EXPECT_EQ(left(1199), 0.5f);
    EXPECT_EQ(left(1200), 0.0f);
    EXPECT_EQ(right(999), 0.0f);
    EXPECT_EQ(right(1000), 9.0f / 127.0f);
    EXPECT_EQ(right(1599), 9.0f / 127.0f);
}

TEST(FixtureHost, BlockSizeDoesNotChangeTheOutput) {
    const std::vector<float> reference = renderFixture(64);
    for (int blockSize : {1, 7, 8, 100, 512, 4096}) EXPECT_EQ(renderFixture(blockSize), reference) << blockSize;
}

TEST(FixtureHost, ListsNamesVendorAndParameters) {
    const PluginModule module(QUILLMAR_FIXTURE_SYNTH);
    PluginInstance plugin(module, RATE, 64);
    EXPECT_EQ(plugin.effect().uniqueID, vstFourCharCode("QFix"));
    std::ostringstream listing;
    printListing(listing, plugin);
    EXPECT_EQ(listing.str(),
              "name:       Fixture Synth\n"
              "vendor:     Quillmar Tests\n"
              "parameters: 2\n"
              "    0  gain                         0.500000   x\n"
              "    1  chunk                        0          bytes\n");
}

TEST(FixtureHost, StateReachesThePluginThroughItsChunk) {
    const PluginModule module(QUILLMAR_FIXTURE_SYNTH);
    PluginInstance plugin(module, RATE, 64);
    const std::string state = "{\"apply.changetime\": 0.1}\n";
    plugin.restoreChunk(state);
    EXPECT_EQ(plugin.parameterText(1).display, std::to_string(state.size()));
    void* data = nullptr;
    const VstIntPtr size = plugin.dispatch(effGetChunk, 0, 0, &data);
    EXPECT_EQ(std::string(static_cast<const char*>(data), static_cast<std::size_t>(size)), state);
}

TEST(FixtureHost, TwoInstancesOfOneModuleKeepTheirOwnState) {
    const PluginModule module(QUILLMAR_FIXTURE_SYNTH);
    PluginInstance first(module, RATE, 64);
    PluginInstance second(module, RATE, 64);
    first.effect().setParameter(&first.effect(), 0, 0.25f);
    first.restoreChunk("abc");
    EXPECT_EQ(first.parameterText(0).display, "0.250000");
    EXPECT_EQ(second.parameterText(0).display, "0.500000");
    EXPECT_EQ(second.parameterText(1).display, "0");
}

VstIntPtr hostAnsweringZero(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }

TEST(FixtureHost, EntryGivesNoPluginToAHostAnsweringVersionZero) {
    const PluginModule module(QUILLMAR_FIXTURE_SYNTH);
    EXPECT_EQ(module.entry()(hostAnsweringZero), nullptr);
    EXPECT_THAT(errorOf([&] { PluginInstance plugin(module, RATE, 64, hostAnsweringZero); }),
                HasSubstr("did not start"));
}

TEST(FixtureHost, ModuleExportsOnlyItsEntries) {
    void* handle = dlopen(QUILLMAR_FIXTURE_SYNTH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr);
    EXPECT_NE(dlsym(handle, "VSTPluginMain"), nullptr);
    // The older name starts a plug-in just the same.
    const auto legacyEntry = reinterpret_cast<PluginModule::EntryFunction>(dlsym(handle, "main"));
    ASSERT_NE(legacyEntry, nullptr);
    AEffect* record = legacyEntry(PluginInstance::hostCallback);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0), 1);
    EXPECT_EQ(dlsym(handle, "_Z20createEffectInstancePFlP7AEffectiilPvfE"), nullptr);
    EXPECT_EQ(dlsym(handle, "_ZN11AudioEffect12float2stringEfPci"), nullptr);
    dlclose(handle);
}

TEST(FixtureHost, LoadFailuresSayWhatIsWrong) {
    testing_support::TempDir dir;
    const auto text = dir.file("state.json");
    std::ofstream(text) << "{}\n";
    EXPECT_THAT(errorOf([&] { PluginModule module(dir.file("missing.so")); }), HasSubstr("no such plug-in file"));
    EXPECT_THAT(errorOf([&] { PluginModule module(dir.path()); }), HasSubstr("is a folder, not a plug-in file"));
    EXPECT_THAT(errorOf([&] { PluginModule module(text); }), HasSubstr("not a plug-in: cannot load"));
    EXPECT_THAT(errorOf([&] { PluginModule module(QUILLMAR_FIXTURE_NO_ENTRY); }),
                HasSubstr("no VST entry point (VSTPluginMain or main)"));
}

}  // namespace
}  // namespace korvel::test

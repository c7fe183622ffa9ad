// Quillmar.so as a host sees it: its entry, its identity, its parameters and
// programs, and instances that live side by side.
#include "QuillmarTestHost.h"

#include "synth/ParamTable.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <future>
#include <limits>
#include <set>
#include <thread>

namespace korvel::test {
namespace {

using host::PluginInstance;

VstIntPtr hostAnsweringZero(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }

TEST(QuillmarModule, ExportsOnlyItsEntries) {
    void* handle = dlopen(QUILLMAR_PLUGIN, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    EXPECT_NE(dlsym(handle, "VSTPluginMain"), nullptr);
    EXPECT_NE(dlsym(handle, "main"), nullptr);
    for (const char* hidden : {"_Z20createEffectInstancePFlP7AEffectiilPvfE", "_ZN6korvel9ProcessorC1EPFlP7AEffectiilPvfE",
                               "_ZN6korvel6veldro9serializeERKNS0_11SynthParamsE"})
        EXPECT_EQ(dlsym(handle, hidden), nullptr) << hidden;
    dlclose(handle);
}

TEST(QuillmarModule, StartsOnlyForAHostThatAnswersItsVersion) {
    ScratchFolder folder;
    EXPECT_EQ(quillmarModule().entry()(hostAnsweringZero), nullptr);
    AEffect* record = quillmarModule().entry()(PluginInstance::hostCallback);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->magic, kEffectMagic);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0), 1);
}

TEST(QuillmarModule, IdentifiesItselfAsASynth) {
    ScratchFolder folder;
    PluginInstance plugin(quillmarModule(), RATE, 512);
    const AEffect& record = plugin.effect();
    EXPECT_EQ(record.uniqueID, vstFourCharCode("Vldo"));
    EXPECT_EQ(record.numPrograms, 96);
    EXPECT_EQ(record.numParams, 180);
    EXPECT_EQ(record.numInputs, 2);
    EXPECT_EQ(record.numOutputs, 2);
    EXPECT_EQ(record.flags, effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks | effFlagsIsSynth);
    EXPECT_EQ(plugin.effectName(), "Quillmar");
    EXPECT_EQ(plugin.vendorString(), "Brindell");
    char product[kVstMaxProductStrLen + 1] = {};
    EXPECT_EQ(plugin.dispatch(effGetProductString, 0, 0, product), 1);
    EXPECT_STREQ(product, "Quillmar");
    EXPECT_EQ(plugin.dispatch(effGetVendorVersion), 100);
    EXPECT_EQ(plugin.dispatch(effGetPlugCategory), kPlugCategSynth);
    EXPECT_EQ(plugin.dispatch(effGetNumMidiInputChannels), 1);
    EXPECT_EQ(plugin.dispatch(effGetNumMidiOutputChannels), 0);
    EXPECT_EQ(plugin.dispatch(effStartProcess), 1);
    EXPECT_EQ(plugin.dispatch(effGetVstVersion), 2400);
}

TEST(QuillmarModule, AnswersCanDo) {
    ScratchFolder folder;
    PluginInstance plugin(quillmarModule(), RATE, 512);
    const std::pair<std::string, VstIntPtr> answers[] = {
        {"receiveVstEvents", 1}, {"receiveVstMidiEvent", 1}, {"midiProgramNames", 1},
        {"sendVstMidiEvent", -1}, {"receiveVstEvent", -1},    {"", -1},
    };
    for (auto [text, answer] : answers) EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, text.data()), answer) << text;
}

TEST(QuillmarModule, NamesLabelsAndDisplaysEveryParameter) {
    ScratchFolder folder;
    PluginInstance plugin(quillmarModule(), RATE, 512);
    std::set<std::string> names;
    for (VstInt32 index = 0; index < 180; ++index) {
        const host::ParameterText text = plugin.parameterText(index);
        const bool inTable = index != 173 && index < 178;
        EXPECT_EQ(text.name.empty(), !inTable) << index;
        if (inTable) {
            EXPECT_TRUE(names.insert(text.name).second) << text.name;
        }
        EXPECT_LE(text.label.size(), 8u) << index;
        EXPECT_EQ(text.display.size(), 8u) << index;
    }
    const host::ParameterText expected[] = {
        {"sound.start", "samples", "0.000000"},
        {"sound.play_rate", "rate", "1.000000"},
        {"grain.rate", "sec", "20.00000"},
        {"grain.length", "ms", "100.0000"},
        {"filter.freq", "herz", "1200.000"},
        {"grain.rate.contr0.amount", "%", "0.000000"},
        {"delay.feedback.contr0.par3", "rate", "0.000000"},
        {"start/stop", "on/off", "0.000000"},  // no live parameter behind it
    };
    const VstInt32 indices[] = {0, 2, 4, 5, 16, 84, 172, 176};
    for (std::size_t i = 0; i < std::size(indices); ++i) {
        const host::ParameterText text = plugin.parameterText(indices[i]);
        EXPECT_EQ(text.name, expected[i].name);
        EXPECT_EQ(text.label, expected[i].label);
        EXPECT_EQ(text.display, expected[i].display);
    }
}

TEST(QuillmarModule, DisplaysTheTargetWithEightCharactersUnrounded) {
    ScratchFolder folder;
    PluginInstance plugin(quillmarModule(), RATE, 512);
    AEffect& record = plugin.effect();
    const struct {
        VstInt32 index;
        float normalized;
        const char* display;
    } cases[] = {
        {12, 0.25f, "-0.50000"},  // grain.pan, linear over -1..1
        {12, 0.75f, "0.500000"},
        {9, 1.0f, "1.000000"},    // grain.attack; its partner decay gives way
        {24, 0.0f, "-1.00000"},   // delay.feedback
    };
    for (const auto& c : cases) {
        record.setParameter(&record, c.index, c.normalized);
        EXPECT_EQ(plugin.parameterText(c.index).display, c.display) << c.index;
    }
}

TEST(QuillmarModule, SetParameterIgnoresValuesOutsideTheUnitRangeAndNaN) {
    ScratchFolder folder;
    PluginInstance plugin(quillmarModule(), RATE, 512);
    AEffect& record = plugin.effect();
    record.setParameter(&record, 4, 0.5f);
    const float before = record.getParameter(&record, 4);
    const std::string display = plugin.parameterText(4).display;
    for (float value : {1.5f, -0.1f, std::numeric_limits<float>::quiet_NaN(),
                        std::numeric_limits<float>::infinity()}) {
        record.setParameter(&record, 4, value);
        EXPECT_EQ(record.getParameter(&record, 4), before) << value;
        EXPECT_EQ(plugin.parameterText(4).display, display) << value;
    }
    record.setParameter(&record, 4, 0.25f);
    EXPECT_NE(record.getParameter(&record, 4), before);
}

TEST(QuillmarModule, AutomatesOnlyParametersWithAScaling) {
    ScratchFolder folder;
    PluginInstance plugin(quillmarModule(), RATE, 512);
    const std::pair<VstInt32, VstIntPtr> cases[] = {{4, 1}, {83, 1}, {175, 1}, {3, 0}, {6, 0}, {55, 0}, {62, 0}, {174, 0}};
    for (auto [index, answer] : cases) EXPECT_EQ(plugin.dispatch(effCanBeAutomated, index), answer) << index;
}

TEST(QuillmarModule, TakesOnlyFiniteAndPositiveSampleRates) {
    ScratchFolder folder;
    PluginInstance plugin(quillmarModule(), 48000, 512);
    for (float rate : {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity()}) {
        plugin.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        EXPECT_EQ(processorOf(plugin).getSampleRate(), 48000.0f) << rate;
        EXPECT_EQ(processorOf(plugin).getSynth().getSampleRate(), 48000.0) << rate;
    }
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    EXPECT_EQ(processorOf(plugin).getSynth().getSampleRate(), 96000.0);
}

TEST(QuillmarModule, HostProgramsKeepTheirNumberAndName) {
    ScratchFolder folder;
    PluginInstance plugin(quillmarModule(), RATE, 512);
    char name[kVstMaxProgNameLen + 1] = "Unchanged";
    plugin.dispatch(effSetProgram, 0, 5);
    plugin.dispatch(effSetProgramName, 0, 0, name);
    EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
    EXPECT_EQ(plugin.dispatch(effGetProgramName, 0, 0, name), 0);
    EXPECT_STREQ(name, "Patch 0");
}

// Records the plug-in's automation and echoes every report back with another value, as some hosts do.
struct EchoingHost {
    static inline std::vector<std::pair<VstInt32, float>> reports;

    static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
        if (opcode == audioMasterVersion) return 2400;
        if (opcode == audioMasterAutomate) {
            reports.emplace_back(index, opt);
            effect->setParameter(effect, index, 1.0f - opt);
        }
        return 0;
    }
};

TEST(QuillmarModule, ReportsItsOwnChangesAndIgnoresTheHostsEcho) {
    ScratchFolder folder;
    EchoingHost::reports.clear();
    PluginInstance plugin(quillmarModule(), RATE, 512, EchoingHost::callback);
    AEffect& record = plugin.effect();
    // An editor's knob turn.
    processorOf(plugin).getSynth().getParams().setParam(4, 50.0, 0.0);
    ASSERT_EQ(EchoingHost::reports.size(), 1u);
    EXPECT_EQ(EchoingHost::reports[0].first, 4);
    EXPECT_EQ(EchoingHost::reports[0].second, record.getParameter(&record, 4));
    EXPECT_EQ(plugin.parameterText(4).display, "50.00000");
    // The host's own changes still count.
    record.setParameter(&record, 4, 0.0f);
    EXPECT_EQ(record.getParameter(&record, 4), 0.0f);
}

// While the first thread's report is with the host, a second thread starts its own report, which
// outlasts the first.
struct OverlappingReportsHost {
    static inline Processor* processor = nullptr;
    static inline std::thread::id firstThread;
    static inline std::promise<void> secondInside;
    static inline std::promise<void> firstDone;
    static inline std::thread second;

    static VstIntPtr callback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
        if (opcode == audioMasterVersion) return 2400;
        if (opcode != audioMasterAutomate || processor == nullptr) return 0;
        if (std::this_thread::get_id() == firstThread) {
            second = std::thread([] { processor->setParameterAutomated(5, 0.5f); });
            secondInside.get_future().wait();
        } else {
            secondInside.set_value();
            firstDone.get_future().wait();
        }
        return 0;
    }
};

TEST(QuillmarModule, OverlappingReportsLeaveNoThreadIgnored) {
    ScratchFolder folder;
    PluginInstance plugin(quillmarModule(), RATE, 512, OverlappingReportsHost::callback);
    AEffect& record = plugin.effect();
    OverlappingReportsHost::processor = &processorOf(plugin);
    OverlappingReportsHost::firstThread = std::this_thread::get_id();
    processorOf(plugin).setParameterAutomated(4, 0.5f);
    OverlappingReportsHost::firstDone.set_value();
    OverlappingReportsHost::second.join();
    OverlappingReportsHost::processor = nullptr;

    record.setParameter(&record, 4, 0.9f);
    EXPECT_EQ(record.getParameter(&record, 4), 0.9f);
}

TEST(QuillmarModule, InstancesKeepTheirOwnParameters) {
    ScratchFolder folder;
    PluginInstance first(quillmarModule(), RATE, 512);
    PluginInstance second(quillmarModule(), RATE, 512);
    first.effect().setParameter(&first.effect(), 4, 0.9f);
    second.effect().setParameter(&second.effect(), 4, 0.1f);
    EXPECT_EQ(first.effect().getParameter(&first.effect(), 4), 0.9f);
    EXPECT_EQ(second.effect().getParameter(&second.effect(), 4), 0.1f);
    EXPECT_NE(first.parameterText(4).display, second.parameterText(4).display);
}

TEST(QuillmarModule, CloseReleasesAnInstanceWhileItsSoundStillLoads) {
    ScratchFolder folder;
    const std::string state = demo::makeState(
        {{1, folder.sound("a.wav", {220.0}), {}}, {7, folder.sound("b.wav", {330.0}, 3.0), {}}});
    for (int round = 0; round < 3; ++round) {
        AEffect* record = quillmarModule().entry()(PluginInstance::hostCallback);
        ASSERT_NE(record, nullptr);
        record->dispatcher(record, effSetChunk, 0, static_cast<VstIntPtr>(state.size()),
                           const_cast<char*>(state.data()), 0);
        record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0);
        host::EventBlock events;
        events.add(0, {0xC0, 7, 0});  // starts loading b.wav on a worker
        record->dispatcher(record, effProcessEvents, 0, 0, events.events(), 0);
        EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0), 1);
    }
}

}  // namespace
}  // namespace korvel::test

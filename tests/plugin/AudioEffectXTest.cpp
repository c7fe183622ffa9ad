#include "RecordingEffect.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvel::test {
namespace {

TEST(AudioEffectXDispatcher, AnswersThroughTheOverriddenOperations) {
    struct Case {
        const char* name;
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr result;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"automatable", effCanBeAutomated, 1, 1, {"canParameterBeAutomated 1"}},
        {"not automatable", effCanBeAutomated, 2, 0, {"canParameterBeAutomated 2"}},
        {"automatable past the last parameter", effCanBeAutomated, 3, 0, {}},
        {"category", effGetPlugCategory, 0, kPlugCategSynth, {}},
        {"effect name", effGetEffectName, 0, 1, {"getEffectName"}},
        {"vendor", effGetVendorString, 0, 1, {"getVendorString"}},
        {"product", effGetProductString, 0, 1, {"getProductString"}},
        {"vendor version", effGetVendorVersion, 0, 100, {}},
        {"start", effStartProcess, 0, 1, {}},
        {"stop", effStopProcess, 0, 7, {}},
        {"midi inputs", effGetNumMidiInputChannels, 0, 1, {}},
        {"midi outputs", effGetNumMidiOutputChannels, 0, 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingEffect effect;
        char text[64] = {};
        EXPECT_EQ(effect.dispatcher(c.opcode, c.index, 0, text, 0), c.result);
        EXPECT_EQ(effect.calls, c.calls);
    }
}

TEST(AudioEffectXDispatcher, HandsTextAndEventsOver) {
    RecordingEffect effect;
    char name[64] = {};
    effect.dispatcher(effGetEffectName, 0, 0, name, 0);
    EXPECT_STREQ(name, "getEffectName");
    char question[] = "sendVstMidiEvent";
    EXPECT_EQ(effect.dispatcher(effCanDo, 0, 0, question, 0), -1);
    VstEvents events{};
    events.numEvents = 2;
    EXPECT_EQ(effect.dispatcher(effProcessEvents, 0, 0, &events, 0), 1);
    EXPECT_EQ(effect.calls, (std::vector<std::string>{"getEffectName", "canDo sendVstMidiEvent", "processEvents 2"}));
}

// An effect that overrides nothing of the extensions shows the interface's defaults.
class PlainEffect : public AudioEffectX {
public:
    PlainEffect() : AudioEffectX(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

TEST(AudioEffectXDispatcher, DefaultAnswersOfTheExtensions) {
    struct Case {
        const char* name;
        VstInt32 opcode;
        VstIntPtr value;
        VstIntPtr result;
    };
    const Case cases[] = {
        {"vst version", effGetVstVersion, 0, 2400},
        {"current midi program", effGetCurrentMidiProgram, 0, -1},
        {"automatable", effCanBeAutomated, 0, 1},
        {"category", effGetPlugCategory, 0, kPlugCategUnknown},
        {"can do", effCanDo, 0, 0},
        {"string to parameter", effString2Parameter, 0, 0},
        {"bypass", effSetBypass, 1, 0},
        {"tail size", effGetTailSize, 0, 0},
        {"total samples", effSetTotalSampleToProcess, 1000, 0},
        {"process precision", effSetProcessPrecision, 1, 0},
        {"vendor specific", effVendorSpecific, 0, 0},
        {"retired program categories", effGetNumProgramCategories, 0, 0},
        {"retired idle", effIdle, 0, 0},
        {"key down without editor", effEditKeyDown, 0, 0},
        {"knob mode without editor", effSetEditKnobMode, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlainEffect effect;
        char text[64] = "text";
        EXPECT_EQ(effect.dispatcher(c.opcode, 0, c.value, text, 0), c.result);
    }
}

TEST(AudioEffectXDispatcher, SpeakerArrangementQueryClearsBothSlots) {
    PlainEffect effect;
    auto* input = reinterpret_cast<VstSpeakerArrangement*>(&effect);
    auto* output = input;
    EXPECT_EQ(effect.dispatcher(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output, 0), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
    EXPECT_EQ(effect.dispatcher(effGetSpeakerArrangement, 0, 0, &output, 0), 0);
}

TEST(AudioEffectXDispatcher, KeyAndKnobOpcodesReachTheEditor) {
    RecordingEffect effect;
    auto* editor = new RecordingEditor;
    effect.setEditor(editor);
    EXPECT_EQ(effect.dispatcher(effEditKeyDown, 'a', 3, nullptr, MODIFIER_SHIFT), 1);
    EXPECT_EQ(effect.dispatcher(effEditKeyUp, 'b', 0, nullptr, MODIFIER_CONTROL), 1);
    EXPECT_EQ(effect.dispatcher(effSetEditKnobMode, 0, 2, nullptr, 0), 1);
    EXPECT_EQ(editor->calls, (std::vector<std::string>{"onKeyDown 97 3 1", "onKeyUp 98 0 8", "setKnobMode 2"}));
}

TEST(AudioEffectXDispatcher, LowerOpcodesStillReachTheBase) {
    RecordingEffect effect;
    effect.dispatcher(effMainsChanged, 0, 1, nullptr, 0);
    EXPECT_EQ(effect.calls, (std::vector<std::string>{"resume"}));
}

}  // namespace
}  // namespace korvel::test

#include "RecordingEffect.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <thread>
#include <utility>

namespace korvel::test {
namespace {

struct HostCall {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
};

std::vector<HostCall> hostCalls;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float opt) {
    hostCalls.push_back({opcode, index, value, opt});
    return opcode == audioMasterVersion ? 2400 : 1;
}

TEST(AudioEffectRecord, IsFilledForTheHost) {
    RecordingEffect effect;
    const AEffect& record = *effect.getAeffect();
    EXPECT_EQ(record.magic, vstFourCharCode("VstP"));
    EXPECT_EQ(record.magic, 0x56737450);
    EXPECT_EQ(record.numPrograms, RecordingEffect::PROGRAMS);
    EXPECT_EQ(record.numParams, RecordingEffect::PARAMS);
    EXPECT_EQ(record.numInputs, 1);
    EXPECT_EQ(record.numOutputs, 2);
    EXPECT_EQ(record.flags, 0x10);
    EXPECT_EQ(record.ioRatio, 1.0f);
    EXPECT_EQ(record.object, &effect);
    EXPECT_EQ(record.uniqueID, vstFourCharCode("NoEf"));
    EXPECT_EQ(record.version, 1);
    EXPECT_EQ(record.resvd1, 0);
    EXPECT_EQ(record.resvd2, 0);
    EXPECT_EQ(record.initialDelay, 0);
    EXPECT_EQ(record.user, nullptr);
    for (char byte : record.future) EXPECT_EQ(byte, 0);
    EXPECT_NE(record.dispatcher, nullptr);
    EXPECT_NE(record.process, nullptr);
    EXPECT_NE(record.setParameter, nullptr);
    EXPECT_NE(record.getParameter, nullptr);
    EXPECT_NE(record.processReplacing, nullptr);
    EXPECT_NE(record.processDoubleReplacing, nullptr);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
    EXPECT_EQ(effect.getProgram(), 0);
}

TEST(AudioEffectRecord, FlagSettersSetAndClearTheirBitOnly) {
    struct Case {
        const char* name;
        void (AudioEffect::*setter)(bool);
        VstInt32 bit;
    };
    const Case cases[] = {
        {"canProcessReplacing", &AudioEffect::canProcessReplacing, 0x10},
        {"canDoubleReplacing", &AudioEffect::canDoubleReplacing, 0x1000},
        {"programsAreChunks", &AudioEffect::programsAreChunks, 0x20},
        {"isSynth", &AudioEffect::isSynth, 0x100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingEffect effect;
        const VstInt32 before = effect.getAeffect()->flags;
        (effect.*c.setter)(true);
        EXPECT_EQ(effect.getAeffect()->flags, before | c.bit);
        (effect.*c.setter)(false);
        EXPECT_EQ(effect.getAeffect()->flags, before & ~c.bit);
    }
}

TEST(AudioEffectRecord, IdentitySettersFillTheRecord) {
    RecordingEffect effect;
    effect.setUniqueID(vstFourCharCode("Vldo"));
    effect.setNumInputs(2);
    effect.setNumOutputs(4);
    effect.setInitialDelay(64);
    const AEffect& record = *effect.getAeffect();
    EXPECT_EQ(record.uniqueID, 0x566C646F);
    EXPECT_EQ(record.numInputs, 2);
    EXPECT_EQ(record.numOutputs, 4);
    EXPECT_EQ(record.initialDelay, 64);
}

TEST(AudioEffectRecord, SetEditorOwnsTheEditorAndMarksTheRecord) {
    bool firstGone = false;
    bool secondGone = false;
    {
        RecordingEffect effect;
        effect.setEditor(new RecordingEditor(&firstGone));
        EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, effFlagsHasEditor);
        effect.setEditor(nullptr);
        EXPECT_TRUE(firstGone);
        EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, 0);
        effect.setEditor(new RecordingEditor(&secondGone));
    }
    EXPECT_TRUE(secondGone);
}

struct DispatchCase {
    const char* name;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    VstIntPtr result;
    std::vector<std::string> calls;
};

TEST(AudioEffectDispatcher, RoutesEachOpcodeToItsOperation) {
    const DispatchCase cases[] = {
        {"open", effOpen, 0, 0, 0, 0, {"open"}},
        {"close", effClose, 0, 0, 0, 0, {"close"}},
        {"set program", effSetProgram, 0, 3, 0, 0, {"setProgram 3"}},
        {"program == numPrograms", effSetProgram, 0, 4, 0, 0, {}},
        {"negative program", effSetProgram, 0, -1, 0, 0, {}},
        {"get program", effGetProgram, 0, 0, 0, 0, {}},
        {"label", effGetParamLabel, 2, 0, 0, 0, {"getParameterLabel 2"}},
        {"display", effGetParamDisplay, 1, 0, 0, 0, {"getParameterDisplay 1"}},
        {"name", effGetParamName, 0, 0, 0, 0, {"getParameterName 0"}},
        {"name past the last parameter", effGetParamName, 3, 0, 0, 0, {}},
        {"name of a negative index", effGetParamName, -1, 0, 0, 0, {}},
        {"sample rate", effSetSampleRate, 0, 0, 48000, 0, {"setSampleRate 48000"}},
        {"block size", effSetBlockSize, 0, 256, 0, 0, {"setBlockSize 256"}},
        {"mains on", effMainsChanged, 0, 1, 0, 0, {"resume"}},
        {"mains off", effMainsChanged, 0, 0, 0, 0, {"suspend"}},
        {"identify", effIdentify, 0, 0, 0, vstFourCharCode("NvEf"), {}},
        {"bank chunk", effGetChunk, 0, 0, 0, 10, {"getChunk bank"}},
        {"preset chunk", effGetChunk, 1, 0, 0, 10, {"getChunk preset"}},
        {"set chunk", effSetChunk, 0, 5, 0, 5, {"setChunk 5 bank"}},
        {"set chunk of negative size", effSetChunk, 0, -1, 0, 0, {}},
        {"set chunk beyond 32 bits", effSetChunk, 0, VstIntPtr{1} << 40, 0, 0, {}},
        {"editor rect without editor", effEditGetRect, 0, 0, 0, 0, {}},
        {"editor open without editor", effEditOpen, 0, 0, 0, 0, {}},
        {"editor close without editor", effEditClose, 0, 0, 0, 0, {}},
        {"editor idle without editor", effEditIdle, 0, 0, 0, 0, {}},
    };
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingEffect effect;
        std::array<char, 64> text{};
        void* ptr = text.data();
        if (c.opcode == effGetChunk) ptr = &text;  // room for the returned pointer
        EXPECT_EQ(effect.dispatcher(c.opcode, c.index, c.value, ptr, c.opt), c.result);
        EXPECT_EQ(effect.calls, c.calls);
    }
}

TEST(AudioEffectDispatcher, OpcodesWithoutOperationAnswerZero) {
    for (VstInt32 opcode : {9, 16, 17, 18, 20, 21, -1, 80, 1000}) {
        SCOPED_TRACE(opcode);
        RecordingEffect effect;
        char text[64] = {};
        EXPECT_EQ(effect.dispatcher(opcode, 0, 1, text, 1), 0);
        EXPECT_TRUE(effect.calls.empty());
    }
}

TEST(AudioEffectDispatcher, TextOpcodesWithoutBufferAnswerZero) {
    for (VstInt32 opcode : {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay,
                            effGetParamName, effGetChunk, effSetChunk, effGetEffectName, effCanDo,
                            effProcessEvents}) {
        SCOPED_TRACE(opcode);
        RecordingEffect effect;
        EXPECT_EQ(effect.dispatcher(opcode, 0, 4, nullptr, 0), 0);
        EXPECT_TRUE(effect.calls.empty());
    }
}

TEST(AudioEffectDispatcher, ProgramNumberAndNamesTravel) {
    RecordingEffect effect;
    effect.dispatcher(effSetProgram, 0, 2, nullptr, 0);
    EXPECT_EQ(effect.dispatcher(effGetProgram, 0, 0, nullptr, 0), 2);
    char name[64] = "Lead";
    effect.dispatcher(effSetProgramName, 0, 0, name, 0);
    effect.dispatcher(effGetProgramName, 0, 0, name, 0);
    EXPECT_STREQ(name, "getProgramName");
    EXPECT_EQ(effect.calls.back(), "getProgramName");
    EXPECT_EQ(effect.calls[1], "setProgramName Lead");
}

TEST(AudioEffectDispatcher, GetChunkHandsOverThePluginsMemory) {
    RecordingEffect effect;
    void* data = nullptr;
    const VstIntPtr size = effect.dispatcher(effGetChunk, 0, 0, &data, 0);
    ASSERT_EQ(size, static_cast<VstIntPtr>(effect.chunk.size()));
    EXPECT_EQ(std::string(static_cast<const char*>(data), static_cast<std::size_t>(size)), "chunk text");
}

TEST(AudioEffectDispatcher, EditorOpcodesReachTheEditor) {
    RecordingEffect effect;
    auto* editor = new RecordingEditor;
    effect.setEditor(editor);
    ERect* rect = nullptr;
    EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 400);
    int window = 0;
    EXPECT_EQ(effect.dispatcher(effEditOpen, 0, 0, &window, 0), 1);
    EXPECT_TRUE(editor->isOpen());
    EXPECT_EQ(effect.dispatcher(effEditIdle, 0, 0, nullptr, 0), 0);
    EXPECT_EQ(effect.dispatcher(effEditClose, 0, 0, nullptr, 0), 0);
    EXPECT_FALSE(editor->isOpen());
    EXPECT_EQ(editor->calls, (std::vector<std::string>{"getRect", "open", "idle", "close"}));
}

TEST(AudioEffectEntries, ForwardThroughTheRecord) {
    RecordingEffect effect;
    AEffect* record = effect.getAeffect();
    record->setParameter(record, 1, 0.75f);
    EXPECT_EQ(record->getParameter(record, 2), 0.25f);
    std::array<float, 8> left{}, right{};
    float* outputs[] = {left.data(), right.data()};
    record->processReplacing(record, nullptr, outputs, 8);
    EXPECT_EQ(record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0), 0);
    EXPECT_EQ(effect.calls,
              (std::vector<std::string>{"setParameter 1 0.750000", "getParameter 2", "processReplacing 8", "resume"}));
    EXPECT_EQ(left[7], 0.5f);
}

TEST(AudioEffectEntries, ParameterIndicesOutsideTheCountNeverReachThePlugin) {
    RecordingEffect effect;
    AEffect* record = effect.getAeffect();
    for (VstInt32 index : {-1, RecordingEffect::PARAMS, 1 << 30}) {
        record->setParameter(record, index, 0.5f);
        EXPECT_EQ(record->getParameter(record, index), 0.0f);
    }
    EXPECT_TRUE(effect.calls.empty());
}

TEST(AudioEffectEntries, AFailingProcessCallGivesSilence) {
    RecordingEffect effect;
    effect.throwInProcess = true;
    AEffect* record = effect.getAeffect();
    std::array<float, 4> left{1, 1, 1, 1}, right{1, 1, 1, 1};
    float* outputs[] = {left.data(), right.data()};
    record->processReplacing(record, nullptr, outputs, 4);
    EXPECT_EQ(left, (std::array<float, 4>{}));
    EXPECT_EQ(right, (std::array<float, 4>{}));
}

TEST(AudioEffectEntries, EffCloseClosesDeletesAndAnswersOne) {
    bool destroyed = false;
    auto* effect = new RecordingEffect(nullptr, &destroyed);
    AEffect* record = effect->getAeffect();
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0), 1);
    EXPECT_TRUE(destroyed);
}

TEST(AudioEffectHostCalls, SetParameterAutomatedSetsThenTellsTheHost) {
    hostCalls.clear();
    RecordingEffect effect(recordingHost);
    effect.setParameterAutomated(2, 0.125f);
    EXPECT_EQ(effect.calls, (std::vector<std::string>{"setParameter 2 0.125000"}));
    ASSERT_EQ(hostCalls.size(), 1u);
    EXPECT_EQ(hostCalls[0].opcode, audioMasterAutomate);
    EXPECT_EQ(hostCalls[0].index, 2);
    EXPECT_EQ(hostCalls[0].opt, 0.125f);
}

TEST(AudioEffectHostCalls, WithoutHostCallbackTheWrappersStillSetAndAnswerNothing) {
    RecordingEffect effect;
    effect.setParameterAutomated(0, 1.0f);
    EXPECT_EQ(effect.calls.size(), 1u);
    EXPECT_EQ(effect.getMasterVersion(), 1);
    EXPECT_FALSE(effect.beginEdit(0));
    EXPECT_FALSE(effect.sizeWindow(10, 10));
}

TEST(AudioEffectHostCalls, EachBeginEditFollowsATimeRequestOnItsThread) {
    static std::vector<std::pair<VstInt32, std::thread::id>> calls;
    calls.clear();
    // Answers the time request with nothing, as a host without a transport may.
    RecordingEffect effect([](AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) -> VstIntPtr {
        calls.emplace_back(opcode, std::this_thread::get_id());
        return opcode == audioMasterGetTime ? 0 : 1;
    });
    std::thread::id editorThread;
    std::thread([&] {
        editorThread = std::this_thread::get_id();
        EXPECT_TRUE(effect.beginEdit(3));
    }).join();
    using Call = std::pair<VstInt32, std::thread::id>;
    EXPECT_EQ(calls, (std::vector<Call>{{audioMasterGetTime, editorThread}, {audioMasterBeginEdit, editorThread}}));
}

TEST(AudioEffectHostCalls, AHostAnsweringNoVersionCountsAsVersionOne) {
    RecordingEffect effect([](AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) -> VstIntPtr { return 0; });
    EXPECT_EQ(effect.getMasterVersion(), 1);
}

TEST(AudioEffectHostCalls, WrappersSendTheirOpcodes) {
    hostCalls.clear();
    RecordingEffect effect(recordingHost);
    EXPECT_EQ(effect.getMasterVersion(), 2400);
    EXPECT_TRUE(effect.beginEdit(5));
    EXPECT_TRUE(effect.endEdit(5));
    effect.masterIdle();
    EXPECT_TRUE(effect.sizeWindow(640, 480));
    const std::vector<std::array<VstIntPtr, 3>> expected = {
        {audioMasterVersion, 0, 0},   {audioMasterGetTime, 0, 0},    {audioMasterBeginEdit, 5, 0},
        {audioMasterEndEdit, 5, 0},
        {audioMasterIdle, 0, 0},      {audioMasterSizeWindow, 640, 480},
    };
    ASSERT_EQ(hostCalls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(hostCalls[i].opcode, expected[i][0]) << i;
        EXPECT_EQ(hostCalls[i].index, expected[i][1]) << i;
        EXPECT_EQ(hostCalls[i].value, expected[i][2]) << i;
    }
}

}  // namespace
}  // namespace korvel::test

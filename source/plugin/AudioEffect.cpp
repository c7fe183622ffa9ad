#include "plugin/AudioEffect.h"

#include "plugin/AEffEditor.h"

#include <algorithm>
#include <climits>

namespace {

AudioEffect* effectOf(AEffect* record) { return static_cast<AudioEffect*>(record->object); }

// An exception must not unwind into the host's C code; the call then counts as refused.
template <typename Call>
bool completes(Call call) noexcept {
    try {
        call();
        return true;
    } catch (...) {
        return false;
    }
}

VstIntPtr dispatchEntry(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    AudioEffect* effect = effectOf(record);
    VstIntPtr result = 0;
    completes([&] { result = effect->dispatcher(opcode, index, value, ptr, opt); });
    if (opcode == effClose) {
        delete effect;  // the host gives up the record with effClose; nothing may touch it afterwards
        return 1;
    }
    return result;
}

// Hosts probe parameters by index; one outside the declared count must not reach a plug-in's tables.
void setParameterEntry(AEffect* record, VstInt32 index, float value) {
    if (index >= 0 && index < record->numParams) completes([&] { effectOf(record)->setParameter(index, value); });
}

float getParameterEntry(AEffect* record, VstInt32 index) {
    float value = 0;
    if (index >= 0 && index < record->numParams) completes([&] { value = effectOf(record)->getParameter(index); });
    return value;
}

void processEntry(AEffect* record, float** inputs, float** outputs, VstInt32 frames) {
    completes([&] { effectOf(record)->process(inputs, outputs, frames); });
}

void processReplacingEntry(AEffect* record, float** inputs, float** outputs, VstInt32 frames) {
    if (completes([&] { effectOf(record)->processReplacing(inputs, outputs, frames); })) return;
    for (VstInt32 channel = 0; channel < record->numOutputs; ++channel)
        std::fill_n(outputs[channel], std::max(frames, 0), 0.0f);
}

void processDoubleReplacingEntry(AEffect* record, double** inputs, double** outputs, VstInt32 frames) {
    completes([&] { effectOf(record)->processDoubleReplacing(inputs, outputs, frames); });
}

// Opcodes whose ptr the plug-in reads or writes: a host passing null gets 0.
bool needsPointer(VstInt32 opcode) {
    switch (opcode) {
    case effSetProgramName:
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effEditGetRect:
    case effGetChunk:
    case effSetChunk:
        return true;
    default:
        return false;
    }
}

bool namesParameter(VstInt32 opcode) {
    return opcode == effGetParamLabel || opcode == effGetParamDisplay || opcode == effGetParamName;
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams), cEffect{} {
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.processReplacing = processReplacingEntry;
    cEffect.processDoubleReplacing = processDoubleReplacingEntry;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = effFlagsCanReplacing;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = vstFourCharCode("NoEf");
    cEffect.version = 1;
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setEditor(AEffEditor* newEditor) {
    if (newEditor != editor) delete editor;
    editor = newEditor;
    setFlag(effFlagsHasEditor, editor != nullptr);
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    if (needsPointer(opcode) && ptr == nullptr) return 0;
    if (namesParameter(opcode) && !isParameterIndex(index)) return 0;
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        setProgramName(text);
        return 0;
    case effGetProgramName:
        getProgramName(text);
        return 0;
    case effGetParamLabel:
        getParameterLabel(index, text);
        return 0;
    case effGetParamDisplay:
        getParameterDisplay(index, text);
        return 0;
    case effGetParamName:
        getParameterName(index, text);
        return 0;
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<VstInt32>(value));
        return 0;
    case effMainsChanged:
        if (value != 0)
            resume();
        else
            suspend();
        return 0;
    case effEditGetRect:
        return editor && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
        return editor && editor->open(ptr) ? 1 : 0;
    // Close and idle answer 0 with or without an editor, as the interface's own classes do.
    case effEditClose:
        if (editor) editor->close();
        return 0;
    case effEditIdle:
        if (editor) editor->idle();
        return 0;
    case effIdentify:
        return vstFourCharCode("NvEf");
    case effGetChunk:
        return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
        // The size travels in a pointer-wide value; one that is not a valid byte count is refused.
        if (value < 0 || value > INT_MAX) return 0;
        return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
        return 0;
    }
}

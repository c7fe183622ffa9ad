#include "plugin/AudioEffectX.h"

#include "plugin/AEffEditor.h"

namespace {

// Opcodes whose ptr the plug-in reads or writes: a host passing null gets 0.
bool needsPointer(VstInt32 opcode) {
    switch (opcode) {
    case effProcessEvents:
    case effString2Parameter:
    case effGetProgramNameIndexed:
    case effGetInputProperties:
    case effGetOutputProperties:
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
    case effCanDo:
    case effGetParameterProperties:
    case effGetSpeakerArrangement:
    case effShellGetNextPlugin:
        return true;
    default:
        return false;
    }
}

bool namesParameter(VstInt32 opcode) {
    return opcode == effCanBeAutomated || opcode == effString2Parameter || opcode == effGetParameterProperties;
}

VstIntPtr asFlag(bool answer) { return answer ? 1 : 0; }

}  // namespace

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    if (opcode < effProcessEvents || opcode > effGetNumMidiOutputChannels)
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    if (needsPointer(opcode) && ptr == nullptr) return 0;
    if (namesParameter(opcode) && !isParameterIndex(index)) return 0;
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effProcessEvents:
        return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
        return asFlag(canParameterBeAutomated(index));
    case effString2Parameter:
        return asFlag(string2parameter(index, text));
    case effGetProgramNameIndexed:
        return asFlag(getProgramNameIndexed(static_cast<VstInt32>(value), index, text));
    case effGetInputProperties:
        return asFlag(getInputProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetOutputProperties:
        return asFlag(getOutputProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetPlugCategory:
        return getPlugCategory();
    case effOfflineNotify:
        return offlineNotify(static_cast<VstAudioFile*>(ptr), static_cast<VstInt32>(value), index != 0);
    case effOfflinePrepare:
        return asFlag(offlinePrepare(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value)));
    case effOfflineRun:
        return asFlag(offlineRun(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value)));
    case effProcessVarIo:
        return asFlag(processVariableIo(static_cast<VstVariableIo*>(ptr)));
    case effSetSpeakerArrangement:
        return asFlag(setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                            static_cast<VstSpeakerArrangement*>(ptr)));
    case effGetSpeakerArrangement: {
        // The host passes the two result slots in value and ptr.
        auto* input = reinterpret_cast<VstSpeakerArrangement**>(value);
        if (input == nullptr) return 0;
        return asFlag(getSpeakerArrangement(input, static_cast<VstSpeakerArrangement**>(ptr)));
    }
    case effSetBypass:
        return asFlag(setBypass(value != 0));
    case effGetEffectName:
        return asFlag(getEffectName(text));
    case effGetVendorString:
        return asFlag(getVendorString(text));
    case effGetProductString:
        return asFlag(getProductString(text));
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return canDo(text);
    case effGetTailSize:
        return getTailSize();
    case effGetParameterProperties:
        return asFlag(getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)));
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: {
        if (!editor) return 0;
        VstKeyCode key{index, static_cast<unsigned char>(value), static_cast<unsigned char>(opt)};
        return asFlag(opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key));
    }
    case effSetEditKnobMode:
        return editor ? asFlag(editor->setKnobMode(static_cast<VstInt32>(value))) : 0;
    case effGetMidiProgramName:
        return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
    case effGetCurrentMidiProgram:
        return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
    case effGetMidiProgramCategory:
        return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
    case effHasMidiProgramsChanged:
        return asFlag(hasMidiProgramsChanged(index));
    case effGetMidiKeyName:
        return asFlag(getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)));
    case effBeginSetProgram:
        return asFlag(beginSetProgram());
    case effEndSetProgram:
        return asFlag(endSetProgram());
    case effShellGetNextPlugin:
        return getNextShellPlugin(text);
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    case effSetTotalSampleToProcess:
        return asFlag(setTotalSampleToProcess(static_cast<VstInt32>(value)));
    case effSetPanLaw:
        return asFlag(setPanLaw(static_cast<VstInt32>(value), opt));
    case effBeginLoadBank:
        return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
    case effBeginLoadProgram:
        return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
    case effSetProcessPrecision:
        return asFlag(setProcessPrecision(static_cast<VstInt32>(value)));
    case effGetNumMidiInputChannels:
        return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
        return getNumMidiOutputChannels();
    default:
        return 0;  // opcodes retired before 2.4
    }
}

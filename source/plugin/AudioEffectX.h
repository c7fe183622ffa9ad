#pragma once

#include "plugin/AudioEffect.h"

// The VST 2.x extensions: the dispatcher opcodes 25 to 79 and the host callbacks
// of 2.x. Each virtual answers with the interface's default until a plug-in
// overrides it.
class AudioEffectX : public AudioEffect {
public:
    using AudioEffect::AudioEffect;

    // --- host's GUI thread (dispatcher opcodes; effProcessEvents comes on the audio thread) ---
    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

    // --- host's audio thread ---
    // Events are valid during the call only.
    virtual VstInt32 processEvents(VstEvents* /*events*/) { return 0; }

    // --- host's GUI thread ---
    virtual bool canParameterBeAutomated(VstInt32 /*index*/) { return true; }
    virtual bool string2parameter(VstInt32 /*index*/, char* /*text*/) { return false; }
    virtual bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* /*text*/) { return false; }
    virtual bool getInputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
    virtual bool getOutputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
    virtual VstPlugCategory getPlugCategory() { return kPlugCategUnknown; }
    virtual VstInt32 offlineNotify(VstAudioFile* /*files*/, VstInt32 /*count*/, bool /*start*/) { return 0; }
    virtual bool offlinePrepare(VstOfflineTask* /*tasks*/, VstInt32 /*count*/) { return false; }
    virtual bool offlineRun(VstOfflineTask* /*tasks*/, VstInt32 /*count*/) { return false; }
    virtual bool processVariableIo(VstVariableIo* /*io*/) { return false; }
    virtual bool setSpeakerArrangement(VstSpeakerArrangement* /*input*/, VstSpeakerArrangement* /*output*/) {
        return false;
    }
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output) {
        *input = nullptr;
        *output = nullptr;
        return false;
    }
    virtual bool setBypass(bool /*onOff*/) { return false; }
    virtual bool getEffectName(char* /*name*/) { return false; }
    virtual bool getVendorString(char* /*text*/) { return false; }
    virtual bool getProductString(char* /*text*/) { return false; }
    virtual VstInt32 getVendorVersion() { return 0; }
    virtual VstIntPtr vendorSpecific(VstInt32 /*arg1*/, VstIntPtr /*arg2*/, void* /*ptr*/, float /*opt*/) {
        return 0;
    }
    // 1 can do, -1 cannot, 0 unknown.
    virtual VstInt32 canDo(char* /*text*/) { return 0; }
    virtual VstInt32 getTailSize() { return 0; }
    virtual bool getParameterProperties(VstInt32 /*index*/, VstParameterProperties* /*properties*/) {
        return false;
    }
    virtual VstInt32 getVstVersion() { return kVstVersion; }
    virtual VstInt32 getMidiProgramName(VstInt32 /*channel*/, MidiProgramName* /*name*/) { return 0; }
    virtual VstInt32 getCurrentMidiProgram(VstInt32 /*channel*/, MidiProgramName* /*current*/) { return -1; }
    virtual VstInt32 getMidiProgramCategory(VstInt32 /*channel*/, MidiProgramCategory* /*category*/) {
        return 0;
    }
    virtual bool hasMidiProgramsChanged(VstInt32 /*channel*/) { return false; }
    virtual bool getMidiKeyName(VstInt32 /*channel*/, MidiKeyName* /*keyName*/) { return false; }
    virtual bool beginSetProgram() { return false; }
    virtual bool endSetProgram() { return false; }
    virtual VstInt32 getNextShellPlugin(char* /*name*/) { return 0; }
    virtual VstInt32 startProcess() { return 0; }
    virtual VstInt32 stopProcess() { return 0; }
    virtual bool setTotalSampleToProcess(VstInt32 /*value*/) { return false; }
    virtual bool setPanLaw(VstInt32 /*type*/, float /*value*/) { return false; }
    virtual VstInt32 beginLoadBank(VstPatchChunkInfo* /*info*/) { return 0; }
    virtual VstInt32 beginLoadProgram(VstPatchChunkInfo* /*info*/) { return 0; }
    virtual bool setProcessPrecision(VstInt32 /*precision*/) { return false; }
    virtual VstInt32 getNumMidiInputChannels() { return 0; }
    virtual VstInt32 getNumMidiOutputChannels() { return 0; }

    // --- host callback wrappers: the editor's GUI thread ---
    // An edit gesture on parameter index, so the host records one automation step.
    // Asks for the time first, on the same thread: works around Ardour 7.3 (the one Debian 12 ships), which
    // crashes in Touch and Latch automation on its Linux VST event-loop thread (a null tempo map where it
    // handles the begin edit and the automates after it). The answer is not used: none changes nothing.
    bool beginEdit(VstInt32 index) {
        getTimeInfo(0);
        return callHost(audioMasterBeginEdit, index) != 0;
    }
    bool endEdit(VstInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }
    // Asks the host to resize the editor's window; true when it did.
    bool sizeWindow(VstInt32 width, VstInt32 height) {
        return callHost(audioMasterSizeWindow, width, height) != 0;
    }
    bool updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }
    bool ioChanged() { return callHost(audioMasterIOChanged) != 0; }
    VstInt32 canHostDo(char* text) { return static_cast<VstInt32>(callHost(audioMasterCanDo, 0, 0, text)); }
    bool getHostVendorString(char* text) { return callHost(audioMasterGetVendorString, 0, 0, text) != 0; }
    bool getHostProductString(char* text) { return callHost(audioMasterGetProductString, 0, 0, text) != 0; }
    VstInt32 getHostVendorVersion() { return static_cast<VstInt32>(callHost(audioMasterGetVendorVersion)); }

    // --- host callback wrappers: the audio thread (the time also before each begin edit) ---
    // filter: the VstTimeInfo fields wanted; null when the host gives none.
    VstTimeInfo* getTimeInfo(VstInt32 filter) {
        return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
    }
    bool sendVstEventsToHost(VstEvents* events) {
        return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
    }
    VstInt32 getCurrentProcessLevel() {
        return static_cast<VstInt32>(callHost(audioMasterGetCurrentProcessLevel));
    }
};

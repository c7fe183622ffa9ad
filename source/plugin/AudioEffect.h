#pragma once

#include "plugin/VstAbi.h"

class AEffEditor;

// The plug-in object behind a VST 2.4 AEffect record: the record's functions
// cast its `object` back to this class and call the virtual operations below.
// The host owns the object and deletes it through effClose.
class AudioEffect {
public:
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;
    virtual ~AudioEffect();  // deletes the editor

    // --- host's GUI thread (dispatcher opcodes) ---
    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}
    virtual void setSampleRate(float rate) { sampleRate = rate; }
    virtual void setBlockSize(VstInt32 size) { blockSize = size; }

    // --- host's audio thread ---
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double** /*inputs*/, double** /*outputs*/, VstInt32 /*sampleFrames*/) {}
    // The accumulating process call of older hosts; a 2.4 plug-in adds nothing.
    virtual void process(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/) {}

    // --- host's GUI thread; the audio thread through automation ---
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
    virtual float getParameter(VstInt32 /*index*/) { return 0; }
    // The plug-in's own change: sets the parameter, then tells the host (audioMasterAutomate).
    virtual void setParameterAutomated(VstInt32 index, float value);

    // --- host's GUI thread ---
    virtual void setProgram(VstInt32 program) { curProgram = program; }
    virtual VstInt32 getProgram() { return curProgram; }
    virtual void setProgramName(char* /*name*/) {}
    virtual void getProgramName(char* name) { *name = 0; }
    virtual void getParameterLabel(VstInt32 /*index*/, char* label) { *label = 0; }
    virtual void getParameterDisplay(VstInt32 /*index*/, char* text) { *text = 0; }
    virtual void getParameterName(VstInt32 /*index*/, char* text) { *text = 0; }
    // Returns the size of *data; the memory stays the plug-in's.
    virtual VstInt32 getChunk(void** /*data*/, bool /*isPreset*/) { return 0; }
    virtual VstInt32 setChunk(void* /*data*/, VstInt32 /*byteSize*/, bool /*isPreset*/) { return 0; }

    // --- set-up, before the host sees the record ---
    void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
    void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
    void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
    void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }
    void canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
    void canDoubleReplacing(bool state) { setFlag(effFlagsCanDoubleReplacing, state); }
    void programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
    void isSynth(bool state) { setFlag(effFlagsIsSynth, state); }
    // Takes ownership and deletes the editor it replaces; null removes the editor.
    void setEditor(AEffEditor* newEditor);

    // --- any thread ---
    AEffect* getAeffect() { return &cEffect; }
    AEffEditor* getEditor() const { return editor; }
    float getSampleRate() const { return sampleRate; }
    VstInt32 getBlockSize() const { return blockSize; }
    VstInt32 getNumPrograms() const { return numPrograms; }
    VstInt32 getNumParams() const { return numParams; }

    // --- host callback wrappers (0 without a host callback) ---
    // A host that gives no version, or no host, counts as the oldest: 1.
    VstInt32 getMasterVersion() {
        const auto version = static_cast<VstInt32>(callHost(audioMasterVersion));
        return version != 0 ? version : 1;
    }
    VstInt32 getCurrentUniqueId() { return static_cast<VstInt32>(callHost(audioMasterCurrentId)); }
    void masterIdle() { callHost(audioMasterIdle); }

    // Display texts of at most maxLen characters plus the terminator.
    // float2string: 8 characters, fraction digits cut, not rounded; "Huge!" beyond
    // 99999999 or below -9999999.
    static void float2string(float value, char* text, VstInt32 maxLen);
    // int2string: "Huge!" from 100000000 up.
    static void int2string(VstInt32 value, char* text, VstInt32 maxLen);

protected:
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0) {
        return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
    }
    bool isParameterIndex(VstInt32 index) const { return index >= 0 && index < numParams; }

    audioMasterCallback audioMaster;
    AEffEditor* editor = nullptr;
    float sampleRate = 44100;
    VstInt32 blockSize = 1024;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 curProgram = 0;
    AEffect cEffect;

private:
    void setFlag(VstInt32 flag, bool state) {
        cEffect.flags = state ? (cEffect.flags | flag) : (cEffect.flags & ~flag);
    }
};

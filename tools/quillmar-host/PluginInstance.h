#pragma once

#include "PluginModule.h"

#include <string>
#include <vector>

namespace korvel::host {

struct ParameterText {
    std::string name;
    std::string label;
    std::string display;
};

// One opened plug-in instance, spoken to through its AEffect record only.
// Everything runs on the caller's thread, which plays both the host's GUI and audio thread.
class PluginInstance {
public:
    // Answers audioMasterVersion with 2400 and every other request with 0.
    static VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt);
    // As hostCallback, but says that every call renders offline (audioMasterGetCurrentProcessLevel):
    // a plug-in then completes what it was asked for before it answers or renders, however far
    // ahead of real time the host runs.
    static VstIntPtr offlineHostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                         void* ptr, float opt);

    // Calls the entry with audioMaster, then effOpen, the sample rate and the block size.
    // Throws HostError when the entry gives no plug-in.
    PluginInstance(const PluginModule& module, float sampleRate, VstInt32 blockSize,
                   audioMasterCallback audioMaster = hostCallback);
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;
    ~PluginInstance();  // suspends when resumed, then effClose

    AEffect& effect() { return *record; }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0);

    std::string effectName();
    std::string vendorString();
    ParameterText parameterText(VstInt32 index);

    // Hands the whole text to effSetChunk; throws HostError when the plug-in takes no chunks.
    void restoreChunk(const std::string& chunk);

    void resume();   // effMainsChanged 1
    void suspend();  // effMainsChanged 0

    void processEvents(VstEvents* events) { dispatch(effProcessEvents, 0, 0, events); }
    void processReplacing(float** inputs, float** outputs, VstInt32 frames) {
        record->processReplacing(record, inputs, outputs, frames);
    }

private:
    std::string readText(VstInt32 opcode, VstInt32 index);

    AEffect* record = nullptr;
    bool resumed = false;
};

}  // namespace korvel::host

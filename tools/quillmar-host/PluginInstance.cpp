#include "PluginInstance.h"

#include "HostError.h"

#include <array>

namespace korvel::host {

VstIntPtr PluginInstance::hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

VstIntPtr PluginInstance::offlineHostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                              void* ptr, float opt) {
    if (opcode == audioMasterGetCurrentProcessLevel) return kVstProcessLevelOffline;
    return hostCallback(effect, opcode, index, value, ptr, opt);
}

PluginInstance::PluginInstance(const PluginModule& module, float sampleRate, VstInt32 blockSize,
                               audioMasterCallback audioMaster) {
    record = module.entry()(audioMaster);
    if (record == nullptr)
        throw HostError("the plug-in in " + module.path().string() + " did not start (its entry gave no effect)");
    if (record->magic != kEffectMagic)
        throw HostError("not a VST 2.4 plug-in: " + module.path().string() + " gave a record without the VstP mark");
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
}

PluginInstance::~PluginInstance() {
    if (resumed) suspend();
    dispatch(effClose);
}

VstIntPtr PluginInstance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

std::string PluginInstance::readText(VstInt32 opcode, VstInt32 index) {
    // Plug-ins overrun the published string limits; a roomy buffer keeps that harmless.
    std::array<char, 256> text{};
    dispatch(opcode, index, 0, text.data());
    text.back() = 0;
    return text.data();
}

std::string PluginInstance::effectName() { return readText(effGetEffectName, 0); }

std::string PluginInstance::vendorString() { return readText(effGetVendorString, 0); }

ParameterText PluginInstance::parameterText(VstInt32 index) {
    return {readText(effGetParamName, index), readText(effGetParamLabel, index), readText(effGetParamDisplay, index)};
}

void PluginInstance::restoreChunk(const std::string& chunk) {
    if ((record->flags & effFlagsProgramChunks) == 0)
        throw HostError("the plug-in takes no state chunks, so a state file cannot be restored");
    // effSetChunk takes a mutable pointer but only reads the data.
    std::string copy = chunk;
    dispatch(effSetChunk, 0, static_cast<VstIntPtr>(copy.size()), copy.data());
}

void PluginInstance::resume() {
    dispatch(effMainsChanged, 0, 1);
    resumed = true;
}

void PluginInstance::suspend() {
    dispatch(effMainsChanged, 0, 0);
    resumed = false;
}

}  // namespace korvel::host

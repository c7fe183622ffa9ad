// A tiny instrument for host tests: while a note sounds, the left output holds
// velocity / 127 x gain and the right output program / 127, both starting at the
// exact frame of their MIDI message, so a test can see where every message landed.
#include "plugin/AudioEffectX.h"
#include "plugin/VstEntry.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace {

constexpr VstInt32 GAIN = 0;
constexpr VstInt32 CHUNK_SIZE = 1;

void copyText(char* text, const char* source, std::size_t limit) {
    std::strncpy(text, source, limit);
    text[limit] = 0;
}

class FixtureSynth : public AudioEffectX {
public:
    explicit FixtureSynth(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, 4, 2) {
        setUniqueID(vstFourCharCode("QFix"));
        setNumInputs(0);
        setNumOutputs(2);
        isSynth(true);
        programsAreChunks(true);
#ifdef FIXTURE_WITHOUT_REPLACING
        canProcessReplacing(false);  // as a plug-in from before 2.4 may be
#endif
    }

    void resume() override { running = true; }
    void suspend() override { running = false; }

    VstInt32 processEvents(VstEvents* events) override {
        pendingCount = 0;
        for (VstInt32 i = 0; i < events->numEvents && pendingCount < pending.size(); ++i) {
            if (events->events[i]->type != kVstMidiType) continue;
            const auto* midi = reinterpret_cast<const VstMidiEvent*>(events->events[i]);
            pending[pendingCount++] = {midi->deltaFrames, static_cast<unsigned char>(midi->midiData[0]),
                                       static_cast<unsigned char>(midi->midiData[1]),
                                       static_cast<unsigned char>(midi->midiData[2])};
        }
        return 1;
    }

    void processReplacing(float**, float** outputs, VstInt32 frames) override {
        std::size_t next = 0;
        for (VstInt32 frame = 0; frame < frames; ++frame) {
            for (; next < pendingCount && pending[next].delta <= frame; ++next) apply(pending[next]);
            outputs[0][frame] = running ? noteLevel : 0.0f;
            outputs[1][frame] = running ? static_cast<float>(curProgram) / 127.0f : 0.0f;
        }
        for (; next < pendingCount; ++next) apply(pending[next]);
        pendingCount = 0;
    }

    void setParameter(VstInt32 index, float value) override {
        if (index == GAIN) gain = value;
    }
    float getParameter(VstInt32 index) override { return index == GAIN ? gain : 0.0f; }
    void getParameterName(VstInt32 index, char* text) override {
        copyText(text, index == GAIN ? "gain" : "chunk", kVstMaxParamStrLen);
    }
    void getParameterLabel(VstInt32 index, char* text) override {
        copyText(text, index == GAIN ? "x" : "bytes", kVstMaxParamStrLen);
    }
    void getParameterDisplay(VstInt32 index, char* text) override {
        if (index == GAIN)
            float2string(gain, text, kVstMaxParamStrLen);
        else
            int2string(static_cast<VstInt32>(chunk.size()), text, kVstMaxParamStrLen);
    }

    VstInt32 getChunk(void** data, bool) override {
        *data = chunk.data();
        return static_cast<VstInt32>(chunk.size());
    }
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool) override {
        chunk.assign(static_cast<const char*>(data), static_cast<std::size_t>(byteSize));
        return byteSize;
    }

    bool getEffectName(char* text) override {
        copyText(text, "Fixture Synth", kVstMaxEffectNameLen);
        return true;
    }
    bool getVendorString(char* text) override {
        copyText(text, "Quillmar Tests", kVstMaxVendorStrLen);
        return true;
    }
    VstInt32 canDo(char* text) override { return std::strcmp(text, "receiveVstMidiEvent") == 0 ? 1 : -1; }
    VstPlugCategory getPlugCategory() override { return kPlugCategSynth; }

private:
    struct Message {
        VstInt32 delta;
        unsigned char status, data1, data2;
    };

    void apply(const Message& message) {
        const int kind = message.status & 0xF0;
        if (kind == 0x90 && message.data2 > 0) {
            key = message.data1;
            noteLevel = static_cast<float>(message.data2) / 127.0f * gain;
        } else if ((kind == 0x80 || kind == 0x90) && message.data1 == key) {
            noteLevel = 0;
        } else if (kind == 0xC0) {
            curProgram = message.data1;
        }
    }

    std::array<Message, 256> pending{};
    std::size_t pendingCount = 0;
    bool running = false;
    float gain = 0.5f;
    float noteLevel = 0;
    int key = -1;
    std::string chunk;
};

}  // namespace

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) { return new FixtureSynth(audioMaster); }

#pragma once

#include "plugin/AEffEditor.h"
#include "plugin/AudioEffectX.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace korvel::test {

// An effect that writes every call reaching its virtual operations into a log.
class RecordingEffect : public AudioEffectX {
public:
    static constexpr VstInt32 PROGRAMS = 4;
    static constexpr VstInt32 PARAMS = 3;

    explicit RecordingEffect(audioMasterCallback audioMaster = nullptr, bool* destroyed = nullptr)
        : AudioEffectX(audioMaster, PROGRAMS, PARAMS), destroyed(destroyed) {}
    ~RecordingEffect() override {
        if (destroyed) *destroyed = true;
    }

    void open() override { log("open"); }
    void close() override { log("close"); }
    void suspend() override { log("suspend"); }
    void resume() override { log("resume"); }
    void setSampleRate(float rate) override {
        AudioEffectX::setSampleRate(rate);
        log("setSampleRate " + std::to_string(static_cast<int>(rate)));
    }
    void setBlockSize(VstInt32 size) override {
        AudioEffectX::setBlockSize(size);
        log("setBlockSize " + std::to_string(size));
    }
    void processReplacing(float**, float** outputs, VstInt32 frames) override {
        if (throwInProcess) throw std::runtime_error("process failed");
        for (VstInt32 i = 0; i < frames; ++i) outputs[0][i] = outputs[1][i] = 0.5f;
        log("processReplacing " + std::to_string(frames));
    }
    void setParameter(VstInt32 index, float value) override {
        log("setParameter " + std::to_string(index) + " " + std::to_string(value));
    }
    float getParameter(VstInt32 index) override {
        log("getParameter " + std::to_string(index));
        return 0.25f;
    }
    void setProgram(VstInt32 program) override {
        AudioEffectX::setProgram(program);
        log("setProgram " + std::to_string(program));
    }
    void setProgramName(char* name) override { log(std::string("setProgramName ") + name); }
    void getProgramName(char* name) override { answer(name, "getProgramName"); }
    void getParameterLabel(VstInt32 index, char* text) override {
        answer(text, "getParameterLabel " + std::to_string(index));
    }
    void getParameterDisplay(VstInt32 index, char* text) override {
        answer(text, "getParameterDisplay " + std::to_string(index));
    }
    void getParameterName(VstInt32 index, char* text) override {
        answer(text, "getParameterName " + std::to_string(index));
    }
    VstInt32 getChunk(void** data, bool isPreset) override {
        log(std::string("getChunk ") + (isPreset ? "preset" : "bank"));
        *data = chunk.data();
        return static_cast<VstInt32>(chunk.size());
    }
    VstInt32 setChunk(void*, VstInt32 byteSize, bool isPreset) override {
        log("setChunk " + std::to_string(byteSize) + (isPreset ? " preset" : " bank"));
        return byteSize;
    }
    VstInt32 processEvents(VstEvents* events) override {
        log("processEvents " + std::to_string(events->numEvents));
        return 1;
    }
    bool canParameterBeAutomated(VstInt32 index) override {
        log("canParameterBeAutomated " + std::to_string(index));
        return index != 2;
    }
    VstPlugCategory getPlugCategory() override { return kPlugCategSynth; }
    bool getEffectName(char* text) override { return answer(text, "getEffectName"); }
    bool getVendorString(char* text) override { return answer(text, "getVendorString"); }
    bool getProductString(char* text) override { return answer(text, "getProductString"); }
    VstInt32 getVendorVersion() override { return 100; }
    VstInt32 canDo(char* text) override {
        log(std::string("canDo ") + text);
        return -1;
    }
    VstInt32 startProcess() override { return 1; }
    VstInt32 stopProcess() override { return 7; }
    VstInt32 getNumMidiInputChannels() override { return 1; }
    VstInt32 getNumMidiOutputChannels() override { return 3; }

    using AudioEffectX::curProgram;

    std::vector<std::string> calls;
    std::string chunk = "chunk text";
    bool throwInProcess = false;

private:
    void log(const std::string& call) { calls.push_back(call); }
    bool answer(char* text, const std::string& call) {
        log(call);
        text[call.copy(text, 63)] = 0;
        return true;
    }

    bool* destroyed;
};

// An editor that writes every call into its effect-independent log.
class RecordingEditor : public AEffEditor {
public:
    explicit RecordingEditor(bool* destroyed = nullptr) : destroyed(destroyed) {}
    ~RecordingEditor() override {
        if (destroyed) *destroyed = true;
    }

    bool getRect(ERect** result) override {
        calls.push_back("getRect");
        *result = &rect;
        return true;
    }
    bool open(void* parent) override {
        calls.push_back("open");
        return AEffEditor::open(parent) || true;
    }
    void close() override {
        calls.push_back("close");
        AEffEditor::close();
    }
    void idle() override { calls.push_back("idle"); }
    bool onKeyDown(VstKeyCode& key) override { return logKey("onKeyDown", key); }
    bool onKeyUp(VstKeyCode& key) override { return logKey("onKeyUp", key); }
    bool setKnobMode(VstInt32 mode) override {
        calls.push_back("setKnobMode " + std::to_string(mode));
        return true;
    }

    std::vector<std::string> calls;
    ERect rect{0, 0, 300, 400};

private:
    bool logKey(const char* name, const VstKeyCode& key) {
        calls.push_back(std::string(name) + " " + std::to_string(key.character) + " " + std::to_string(key.virt) +
                        " " + std::to_string(key.modifier));
        return true;
    }

    bool* destroyed;
};

}  // namespace korvel::test

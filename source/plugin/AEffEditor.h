#pragma once

#include "plugin/VstAbi.h"

class AudioEffect;

// Base of a plug-in's editor: the host reaches it through the editor opcodes of
// the dispatcher. Every function runs on the host's GUI thread.
class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect = nullptr) : effect(effect) {}
    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;
    virtual ~AEffEditor() = default;

    // Hands the host the editor's rectangle; false when the editor has none.
    virtual bool getRect(ERect** rect) {
        *rect = nullptr;
        return false;
    }
    // parent: the host's window (an X11 Window id on Linux).
    virtual bool open(void* parent) {
        systemWindow = parent;
        return false;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual void idle() {}
    // Results: true when the editor used the key.
    virtual bool onKeyDown(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool onKeyUp(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }

    AudioEffect* getEffect() const { return effect; }
    bool isOpen() const { return systemWindow != nullptr; }

protected:
    AudioEffect* effect;
    void* systemWindow = nullptr;
};

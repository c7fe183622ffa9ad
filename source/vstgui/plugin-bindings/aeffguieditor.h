#pragma once

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/vstguieditorinterface.h"

#include "plugin/AEffEditor.h"

namespace VSTGUI {

// Binds a frame to the plug-in's editor calls. The subclass makes the frame in open() and
// forgets it in close(). Host GUI thread only.
class AEffGUIEditor : public AEffEditor, public VSTGUIEditorInterface {
public:
    // `effect`: the AudioEffect (an AudioEffectX for edit gestures).
    explicit AEffGUIEditor(void* effect);
    ~AEffGUIEditor() override;

    bool getRect(ERect** outRect) override;
    bool open(void* parentWindow) override;
    void close() override;
    // Not re-entrant: a nested call (from a modal loop) returns at once.
    void idle() override;
    // True when a view took the key; a view's exception never reaches the host.
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    // Shared by every editor in the process.
    bool setKnobMode(VstInt32 mode) override;
    int32 getKnobMode() const override { return knobMode; }

    // Edit gestures reach the host for parameter indices only.
    void beginEdit(int32 index) override;
    void endEdit(int32 index) override;
    // Gives the host an idle call (audioMasterIdle) while the editor waits in a loop of its own.
    void doIdleStuff() override;

protected:
    ERect rect{};

private:
    static int32 knobMode;
    bool inIdle{false};
    bool inIdleStuff{false};
};

} // namespace VSTGUI

#pragma once

// Test hooks: an editor interface and a host callback that record edit gestures.

#include "vstgui/lib/vstguieditorinterface.h"

#include "plugin/AudioEffectX.h"

#include <string>
#include <vector>

namespace VSTGUI::testing {

// "begin 3", "end 3", ... in call order.
using GestureLog = std::vector<std::string>;

// Stands in for an editor: records the frame's beginEdit/endEdit.
class RecordingEditor : public VSTGUIEditorInterface {
public:
    int32 getKnobMode() const override { return knobMode; }
    void beginEdit(int32 index) override { log.push_back("begin " + std::to_string(index)); }
    void endEdit(int32 index) override { log.push_back("end " + std::to_string(index)); }
    void setFrame(CFrame* newFrame) { frame = newFrame; }

    int32 knobMode{-1};
    GestureLog log;
};

// A plug-in whose host callback records audioMasterBeginEdit/EndEdit and counts audioMasterIdle.
// One at a time per process (the callback has no user pointer to find its instance).
class FakeHostEffect : public AudioEffectX {
public:
    explicit FakeHostEffect(VstInt32 numParams);
    ~FakeHostEffect() override;
    void processReplacing(float**, float**, VstInt32) override {}

    GestureLog log;
    int idleCalls{0};
};

} // namespace VSTGUI::testing

#pragma once

#include "vstgui/lib/vstguibase.h"

namespace VSTGUI {

class CFrame;

// What the frame asks of the editor that hosts it. GUI thread only.
class VSTGUIEditorInterface {
public:
    virtual ~VSTGUIEditorInterface() = default;
    virtual void doIdleStuff() {}
    // -1: the frame's default (circular).
    virtual int32 getKnobMode() const { return -1; }
    virtual void beginEdit(int32 index) { (void)index; }
    virtual void endEdit(int32 index) { (void)index; }
    virtual CFrame* getFrame() const { return frame; }

protected:
    CFrame* frame{nullptr};
};

} // namespace VSTGUI

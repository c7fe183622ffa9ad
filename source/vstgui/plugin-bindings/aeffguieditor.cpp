#include "vstgui/plugin-bindings/aeffguieditor.h"

#include "vstgui/lib/controls/cknob.h"

#include "plugin/AudioEffectX.h"

namespace VSTGUI {

int32 AEffGUIEditor::knobMode = kCircularMode;

AEffGUIEditor::AEffGUIEditor(void* effect) : AEffEditor(static_cast<AudioEffect*>(effect)) {}

AEffGUIEditor::~AEffGUIEditor() = default;

bool AEffGUIEditor::getRect(ERect** outRect)
{
    *outRect = &rect;
    return true;
}

bool AEffGUIEditor::open(void* parentWindow)
{
    AEffEditor::open(parentWindow);
    return true;
}

void AEffGUIEditor::close()
{
    AEffEditor::close();
}

void AEffGUIEditor::idle()
{
    if (inIdle)
        return;
    inIdle = true;
    AEffEditor::idle();
    if (frame)
        frame->idle();
    inIdle = false;
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode)
{
    return frame && frame->platformOnKeyDown(keyCode) == 1;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode)
{
    return frame && frame->platformOnKeyUp(keyCode) == 1;
}

bool AEffGUIEditor::setKnobMode(VstInt32 mode)
{
    knobMode = mode;
    return true;
}

namespace {

AudioEffectX* parameterOwner(AudioEffect* effect, int32 index)
{
    auto* effectX = dynamic_cast<AudioEffectX*>(effect);
    return effectX && index >= 0 && index < effectX->getNumParams() ? effectX : nullptr;
}

} // namespace

void AEffGUIEditor::beginEdit(int32 index)
{
    if (AudioEffectX* owner = parameterOwner(effect, index))
        owner->beginEdit(index);
}

void AEffGUIEditor::endEdit(int32 index)
{
    if (AudioEffectX* owner = parameterOwner(effect, index))
        owner->endEdit(index);
}

void AEffGUIEditor::doIdleStuff()
{
    if (inIdleStuff || !effect)
        return;
    inIdleStuff = true;
    effect->masterIdle();
    inIdleStuff = false;
}

} // namespace VSTGUI

#include "vstgui/testing/fakehost.h"

namespace VSTGUI::testing {

namespace {

FakeHostEffect* current = nullptr;

VstIntPtr recordHostCall(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float)
{
    if (!current)
        return 0;
    if (opcode == audioMasterBeginEdit)
        current->log.push_back("begin " + std::to_string(index));
    else if (opcode == audioMasterEndEdit)
        current->log.push_back("end " + std::to_string(index));
    else if (opcode == audioMasterIdle)
        ++current->idleCalls;
    return 1;
}

} // namespace

FakeHostEffect::FakeHostEffect(VstInt32 numParams) : AudioEffectX(recordHostCall, 1, numParams)
{
    current = this;
}

FakeHostEffect::~FakeHostEffect()
{
    if (current == this)
        current = nullptr;
}

} // namespace VSTGUI::testing

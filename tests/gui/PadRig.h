#pragma once

// A real parameter model for the controller pad tests (the bridges' rig: an engine stand-in that is
// not running, so every change lands at once), with handles on its controls.

#include "editor/BridgeRig.h"
#include "synth/ParamControl.h"
#include "synth/ParamControlHandle.h"

namespace korvel::test {

class PadRig : public BridgeRig {
public:
    veldro::ParamControlHandle handle(int paramId, int control = 0)
    {
        return veldro::ParamControlHandle(params.getBaseParam(paramId), control);
    }
    const veldro::ParamControl& live(int paramId, int control = 0)
    {
        return params.getBaseParam(paramId).pushedControl(control, 0);
    }
};

} // namespace korvel::test

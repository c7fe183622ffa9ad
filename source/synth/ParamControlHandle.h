#pragma once

#include "synth/ControllerKinds.h"
#include "synth/ParamPatch.h"

#include <cstdint>

namespace korvel {
class Scaling;
}

namespace korvel::veldro {

class BaseParam;
class SynthParams;
struct ParamControl;

// The editor's handle on the live controller of one control: a copy of its
// type, amount and settings, edited through the ranges of its kind. Nothing
// here tells the host or the listeners.
//
// Threads: editor thread only. Host automation and patch recalls may change
// the controller under an open handle; the handle then takes up the live
// values again instead of failing.
class ParamControlHandle {
public:
    ParamControlHandle(BaseParam& base, int index);
    // The same control with an empty copy.
    ParamControlHandle(const ParamControlHandle& other);
    ParamControlHandle& operator=(const ParamControlHandle&) = delete;

    // Copies the controller's type and the targets of its amount and settings.
    void readControl();

    std::uint32_t getType() const;
    std::uint32_t getControlId() const;
    SynthParams& getSynthParams() const;
    // Scaling of field 1..4 for the copy's type; null when the field has none.
    const Scaling* getScaling(int field) const;

    double getAmountNormalized() const;
    void setAmountNormalized(double x);
    // Setting i (0..2), raw or normalised.
    double getParam(int i);
    double getParamNormalized(int i);
    void setParamNormalized(int i, double x);

    // Applies the copy to the control over the change time.
    void apply();
    // Fills the handle's copy with the defaults of a controller type; the
    // live control is not touched.
    static void initControlPatch(std::uint32_t type, ParamControlHandle& handle);

    ControlPatch control_patch;
    // The range of the setting being edited.
    ScaledRange range;

private:
    // Takes up the live controller when its setting i no longer matches the copy.
    void resync(int i);

    ParamControl* control;
};

} // namespace korvel::veldro

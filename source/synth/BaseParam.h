#pragma once

#include "synth/ParamControl.h"
#include "synth/ParamPatch.h"
#include "synth/Ramp.h"

#include <cstdint>

namespace korvel::veldro {

class ParamInfo;
class SynthParams;

// The live state of one parameter: its value glide and, per modulation
// control, the live controller and up to ParamControl::MAX_PUSHED earlier ones
// fading out. Lives inside its SynthParams (the slots point back at it), so it
// is neither copied nor moved.
//
// Threads: the editor and host threads write targets and types, a MIDI
// program change recalls patches on the audio thread, and the audio thread
// advances the glides; no lock is taken.
class BaseParam {
public:
    static constexpr int MAX_CONTROLS = 2;
    static constexpr int SLOTS = ParamControl::MAX_PUSHED + 1;

    BaseParam() = default;
    BaseParam(const BaseParam&) = delete;
    BaseParam& operator=(const BaseParam&) = delete;

    // --- construction (owner's thread)
    void initControls(const ParamInfo& info, SynthParams& owner);

    // --- editor, host and patch recall

    // Applies a stored controller to control index; a negative time glides
    // over the owner's change time. A fresh controller's settings jump while
    // its amount fades in.
    void applyControlPatch(int index, const ControlPatch& patch, double time);
    // Makes newType the live controller of control index, fading the live one
    // out. Returns 0 when nothing changed, 1 when an earlier controller came
    // back, 2 when a fresh one started.
    int changeControlType(int index, std::uint32_t newType, double time);
    // Value and controllers; everything jumps while the engine is stopped.
    void applyPatch(const ParamPatch& patch, double time);
    // Current values or targets; controllers at |amount| <= 0.01 are left out.
    ParamPatch makePatch(bool useCurrent) const;

    // --- audio thread

    // Glides, controller fades and LFO phases by dt seconds; clears pushed
    // controllers that have faded out.
    void advance(double dt);

    // --- any thread

    ParamControl& pushedControl(int index, int push);
    const ParamControl& pushedControl(int index, int push) const;
    // The live controller of control index; null past nof_controls.
    ParamControl* findControl(int index);
    SynthParams& getSynthParams() const { return *owner; }

    Ramp value;
    std::int16_t id = -1;
    std::int16_t nof_controls = 0;
    // controls[i][0] is control i's live controller, [1] and [2] the pushed
    // ones, newest first.
    ParamControl controls[MAX_CONTROLS][SLOTS];

private:
    SynthParams* owner = nullptr;
};

} // namespace korvel::veldro

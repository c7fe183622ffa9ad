#pragma once

#include "synth/ParamRange.h"
#include "synth/Scaling.h"

#include <map>
#include <memory>
#include <string>

// The static description of modulation controllers: their kinds, the fields of
// a control and the per-kind ranges of those fields. Built once and read-only
// afterwards, so any thread may read them.
namespace korvel::veldro {

// Controller types 0..8; 0 is an empty control.
constexpr int NOF_CONTROLLER_TYPES = 9;

// Fields of one control, in the order of its generated host parameters.
enum ControllerField : int { FIELD_TYPE = 0, FIELD_AMOUNT, FIELD_X, FIELD_Y, FIELD_PAR3, NOF_CONTROLLER_FIELDS };

// A range with the Scaling made from it. A 0..0 range carries none. Copies
// share the Scaling, which is immutable.
struct ScaledRange : ParamRange {
    ScaledRange() : ScaledRange(ParamRange{}) {}
    explicit ScaledRange(const ParamRange& range);

    std::shared_ptr<const Scaling> scaling;
};

// A kind as the JSON form names it: its type and the names of fields 2..4,
// null where the kind has fewer.
struct ControllerKind {
    int type;
    const wchar_t* params[3];
};

// Kind name ("random", "amp_noise", "lfo", "midi", "adsr_mix", "inner",
// "inner_2", "inner_3") -> kind.
const std::map<std::wstring, ControllerKind>& controllerKinds();

// Default and range of field 1..4 (amount, x, y, par3) of a controller of the
// given type. A type outside 0..8 or a field outside 1..4 gives the empty
// type's range {0, 0..1, kind 3}.
const ScaledRange& getControllerParamRange(int type, int field);

// The generic range of field 0..4, whatever the type; also the range of the
// generated host parameters. A field outside 0..4 gives {0, 0..1, kind 3}.
const ScaledRange& getControllerFieldRange(int field);

// "type", "amount", "x", "y", "par3" (key part of generated parameter names).
const char* controllerFieldKey(int field);

// "type", "%", "x", "y", "rate" (unit of generated parameters).
const char* controllerFieldLabel(int field);

} // namespace korvel::veldro

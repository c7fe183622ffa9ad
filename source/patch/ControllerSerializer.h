#pragma once

#include "json/Value.h"
#include "synth/ParamPatch.h"

// The JSON form of one stored modulation controller: {"type": kind name,
// "amount": number, one member per setting of the kind}. An inner controller
// names its source parameter instead of holding its id.
// Threads: any thread; only the constant tables are shared.
namespace korvel::veldro {

class ControllerSerializer {
public:
    // An object, or null for an inner controller whose source id is not a
    // parameter of the table.
    static JSON::Value write(const ControlPatch& controller);

    // Fills out from a controller object. Returns false for a damaged
    // controller (no usable first setting, an unknown source name), which
    // leaves out without a type. An object without a known kind name or a
    // numeric amount leaves out unchanged and counts as read.
    static bool read(ControlPatch& out, const JSON::Value& object);
};

} // namespace korvel::veldro

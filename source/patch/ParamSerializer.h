#pragma once

#include "json/Value.h"
#include "synth/Patch.h"

#include <cstdint>

// The JSON form of one patch slot: one member per stored parameter (named as
// in the parameter table), the two envelopes as point arrays, one object per
// controller ("<name>.controller.<i>"), "timestamp" and "soundfile".
// Threads: any thread; only the constant tables are shared.
namespace korvel::veldro {

class ParamSerializer {
public:
    // The parameters 0..55 whose groups share a bit with mask; masks 127 and
    // 31 write the same members.
    static JSON::Value write(const Patch& patch, std::uint32_t mask);

    // Fills out, a fresh record, from a slot object. Out-of-range values take
    // their defaults and count as errors. Returns false for a slot without a
    // numeric "timestamp", with a parameter member of the wrong kind, or with
    // too many errors; out is then partly filled and must be dropped.
    static bool read(Patch& out, const JSON::Value& slot);

    // Whether two records write the same slot but for their store times: the
    // records past the store time are globals, which a slot never holds.
    static bool writeAlike(const Patch& a, const Patch& b);
};

} // namespace korvel::veldro

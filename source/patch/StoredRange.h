#pragma once

#include "synth/ParamTable.h"

#include <cmath>

namespace korvel::veldro {

// Whether a stored value may stand for the parameter. NaN never does. The
// selection "sound.start" and "sound.end" keeps any finite frame count: its
// table range is 0..0 because only a loaded sound bounds it, which a recall does.
inline bool acceptsStoredValue(const ParamInfo& info, double v)
{
    if (isSoundRangeParam(info.id))
        return std::isfinite(v) && v >= 0.0;
    return v >= info.range.min && v <= info.range.max;
}

} // namespace korvel::veldro

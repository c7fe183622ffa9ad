#pragma once

namespace korvel {

// Value range of one parameter or controller setting. `kind` selects the
// Scaling made from it (see makeScaling); 0 means the value has no Scaling.
struct ParamRange {
    double default_value = 0.0;
    double min = 0.0;
    double max = 1.0;
    int kind = 3;
};

} // namespace korvel

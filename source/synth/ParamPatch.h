#pragma once

#include <cstdint>

namespace korvel::veldro {

// A stored controller: what a patch slot, a patch file or the editor keeps of
// one modulation control.
struct ControlPatch {
    std::uint32_t type = 0; // 0..8; 0 is no controller
    double amount = 0.0;
    double params[3] = {}; // x, y, par3

    bool operator==(const ControlPatch&) const = default;
};

// A stored parameter: its value and its two controls. Made by
// BaseParam::makePatch and applied by BaseParam::applyPatch.
struct ParamPatch {
    double value = 0.0;
    ControlPatch controls[2];

    bool operator==(const ParamPatch&) const = default;
};

} // namespace korvel::veldro

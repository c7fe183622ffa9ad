#pragma once

#include "synth/Ramp.h"

#include <cmath>
#include <cstdint>

namespace korvel::veldro {

class BaseParam;

// One controller slot of a live parameter. Slot 0 of a control is its live
// controller; pushed slots 1 and 2 hold earlier ones fading out. Written
// under its SynthParams' write lock, read by any thread: every field is
// atomic, so a reader sees each one whole.
struct ParamControl {
    // Earlier controllers a control keeps fading out besides its live one.
    static constexpr int MAX_PUSHED = 2;
    // Controllers whose amount is this small take no part and are not stored.
    static constexpr double ACTIVE_AMOUNT = 0.01;

    BaseParam* base_param = nullptr;
    std::uint32_t control_id = 0; // first generated host parameter of the control
    std::int16_t control_index = -1;
    Shared<std::uint32_t> type = 0u; // controller type 0..8; 0 is empty
    SharedDouble phase = 0.0;        // the LFO's phase in [0, 1), the random walk's last output
    Ramp amount;
    Ramp params[3]; // x, y, par3

    bool isActive() const { return type != 0 && std::abs(amount.current) > ACTIVE_AMOUNT; }

    // Empties the slot; it keeps its place in its parameter.
    void clear()
    {
        type = 0;
        phase = 0.0;
        amount = {};
        for (Ramp& param : params)
            param = {};
    }

    // Moving a controller between slots moves only what the controller is: the slot's place in its
    // parameter stays, as the editor reads it without the lock.
    void takeController(const ParamControl& other)
    {
        type = other.type;
        phase = other.phase;
        amount = other.amount;
        for (int k = 0; k < 3; ++k)
            params[k] = other.params[k];
    }

    void swapController(ParamControl& other)
    {
        ParamControl kept;
        kept.takeController(*this);
        takeController(other);
        other.takeController(kept);
    }
};

} // namespace korvel::veldro

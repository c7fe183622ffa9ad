#pragma once

#include "synth/MidiEnvelope.h"

#include <algorithm>

namespace korvel::veldro {

// The gain the keyboard puts on every grain: 1 while no note has switched
// the engine to the keyboard (the sound drones), the square of envelope 1
// in keyboard mode. A switch either way crosses over in SWITCH_SECONDS:
// the first note's envelope starts at 0, and cutting the drone there would
// drop the output from full level within one sample. Audio thread only.
class KeyboardGain {
public:
    static constexpr int BLOCK_FRAMES = 8;
    static constexpr double SWITCH_SECONDS = 0.005;

    // The gains of one sub-block; false (gains untouched) when all are 1.
    bool fill(bool keyboardMode, const MidiEnvelope& envelope, double sampleRate, double (&gains)[BLOCK_FRAMES])
    {
        const double target = keyboardMode ? 1.0 : 0.0;
        if (keyboardShare == 0.0 && target == 0.0)
            return false;
        const double step = 1.0 / (SWITCH_SECONDS * sampleRate);
        for (int i = 0; i < BLOCK_FRAMES; ++i) {
            keyboardShare = target > keyboardShare ? std::min(keyboardShare + step, target)
                                                   : std::max(keyboardShare - step, target);
            const double k = envelope.levelAt(i);
            gains[i] = (1.0 - keyboardShare) + keyboardShare * (k * k);
        }
        return true;
    }

private:
    double keyboardShare = 0.0; // 0 the drone's gain, 1 the keyboard's
};

} // namespace korvel::veldro

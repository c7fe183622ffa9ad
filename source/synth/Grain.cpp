#include "synth/Grain.h"

#include "synth/dsp/Shaping.h"
#include "synth/dsp/SoundReader.h"

#include <algorithm>
#include <cmath>

namespace korvel::veldro {

void Grain::advancePosition()
{
    position += increment;
    increment += incrementDelta;
    if (position < 0.0)
        position += soundFrames;
    if (position < 0.0 || position > soundFrames) {
        position = std::fmod(position, static_cast<double>(soundFrames));
        if (position < 0.0)
            position += soundFrames;
    }
}

// Stage by stage over the block: each frame sees the same operations in the
// same order as frame by frame would, only the tap depends on earlier frames.
void Grain::render(float* left, float* right, const double* keyboardGain)
{
    const int count = std::min(BLOCK_FRAMES, envelope.framesLeft());
    double l[BLOCK_FRAMES];
    double r[BLOCK_FRAMES];
    for (int i = 0; i < count; ++i) {
        readInterpolated(samples, channels, position, l[i], r[i]);
        advancePosition();
    }
    if (distortion.isOn()) {
        for (int i = 0; i < count; ++i)
            distortion.process(l[i], r[i]);
    }
    if (!filterL.isBypassed()) {
        for (int i = 0; i < count; ++i) {
            l[i] = filterL.process(l[i]);
            r[i] = channels >= 2 ? filterR.process(r[i]) : l[i];
        }
    }
    double e[BLOCK_FRAMES];
    envelope.levels(e, count);
    if (keyboardGain) {
        for (int i = 0; i < count; ++i)
            e[i] *= keyboardGain[i];
    }
    double gl[BLOCK_FRAMES];
    double gr[BLOCK_FRAMES];
    for (int i = 0; i < count; ++i) {
        gl[i] = e[i] * gainL;
        gr[i] = e[i] * gainR;
    }
    if (tap.isOn()) {
        for (int i = 0; i < count; ++i)
            tap.process(l[i], gl[i], r[i], gr[i], i);
    }
    for (int i = 0; i < count; ++i) {
        left[i] = static_cast<float>(left[i] + softEdge(l[i] * gl[i]));
        right[i] = static_cast<float>(right[i] + softEdge(r[i] * gr[i]));
    }
}

} // namespace korvel::veldro

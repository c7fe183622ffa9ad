#include "synth/Grain.h"

#include "synth/dsp/Shaping.h"
#include "synth/dsp/SoundReader.h"

#include <algorithm>
#include <cmath>

namespace korvel::veldro {

void Grain::chooseStages()
{
    distorting = distortion.isOn();
    filtering = !filterL.isBypassed();
    tapping = tap.isOn();
}

void Grain::read(double* l, double* r, double* e, int count)
{
    double at[BLOCK_FRAMES];
    double p = position;
    double step = increment;
    const double frames = soundFrames;
    for (int i = 0; i < count; ++i) {
        at[i] = p;
        p += step;
        step += incrementDelta;
        if (!(p >= 0.0 && p <= frames))
            p = wrapPosition(p, frames);
    }
    position = p;
    increment = step;
    // The envelope's rotation runs alongside the reads; a local copy stays in
    // registers, as the stores to l, r and e might otherwise alias it.
    GrainEnvelope levels = envelope;
    for (int i = 0; i < count; ++i) {
        readInterpolated(samples, channels, at[i], l[i], r[i]);
        e[i] = levels.next();
    }
    envelope = levels;
}

// Stage by stage over the block: each frame sees the same operations in the
// same order as frame by frame would, only the tap depends on earlier frames.
void Grain::render(float* left, float* right, const double* keyboardGain)
{
    const int count = std::min(BLOCK_FRAMES, envelope.framesLeft());
    double l[BLOCK_FRAMES];
    double r[BLOCK_FRAMES];
    double e[BLOCK_FRAMES];
    read(l, r, e, count);
    if (distorting) {
        for (int i = 0; i < count; ++i)
            distortion.process(l[i], r[i]);
    }
    if (filtering && channels >= 2) {
        Filter::processStereo(filterL, filterR, l, r, count);
    } else if (filtering) {
        for (int i = 0; i < count; ++i)
            r[i] = l[i] = filterL.process(l[i]);
    }
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
    if (tapping) {
        for (int i = 0; i < count; ++i)
            tap.process(l[i], gl[i], r[i], gr[i], i);
    }
    for (int i = 0; i < count; ++i) {
        left[i] = static_cast<float>(left[i] + softEdge(l[i] * gl[i]));
        right[i] = static_cast<float>(right[i] + softEdge(r[i] * gr[i]));
    }
}

} // namespace korvel::veldro

#include "synth/Grain.h"

#include "synth/dsp/BlockRead.h"
#include "synth/dsp/FrameMix.h"
#include "synth/dsp/Lanes.h"
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

void Grain::read(__m128d* frames, double* e, int count)
{
    double at[BLOCK_FRAMES] = {};
    double p = position;
    double step = increment;
    const double end = soundFrames;
    for (int i = 0; i < count; ++i) {
        at[i] = p;
        p += step;
        step += incrementDelta;
        if (!(p >= 0.0 && p <= end))
            p = wrapPosition(p, end);
    }
    position = p;
    increment = step;
    // The envelope's rotation is one long chain of dependent steps; started
    // first, it runs alongside the reads instead of after them.
    envelope.levels(e, count);
    readFrames(samples, channels, at, frames, count);
}

void Grain::applyEffects(__m128d* frames, int count)
{
    double l[BLOCK_FRAMES];
    double r[BLOCK_FRAMES];
    for (int i = 0; i < count; ++i) {
        lanes::split(frames[i], l[i], r[i]);
    }
    if (distorting)
        distortion.processBlock(l, r, count);
    if (filtering && channels >= 2) {
        Filter::processStereo(filterL, filterR, l, r, count);
    } else if (filtering) {
        for (int i = 0; i < count; ++i)
            r[i] = l[i] = filterL.process(l[i]);
    }
    for (int i = 0; i < count; ++i)
        frames[i] = lanes::pairOf(l[i], r[i]);
}

// Stage by stage over the block, left and right side by side: each frame sees
// the same operations in the same order as frame by frame would, only the tap
// depends on earlier frames.
void Grain::render(float* mixed, const double* keyboardGain)
{
    const int count = std::min(BLOCK_FRAMES, envelope.framesLeft());
    __m128d frames[BLOCK_FRAMES];
    double e[BLOCK_FRAMES];
    read(frames, e, count);
    if (distorting || filtering)
        applyEffects(frames, count);
    if (keyboardGain) {
        for (int i = 0; i < count; ++i)
            e[i] *= keyboardGain[i];
    }
    const __m128d gains = lanes::pairOf(gainL, gainR);
    if (tapping) {
        for (int i = 0; i < count; ++i) {
            const __m128d g = _mm_mul_pd(_mm_set1_pd(e[i]), gains);
            tap.process(lanes::low(frames[i]), lanes::low(g), lanes::high(frames[i]), lanes::high(g), i);
        }
    }
    mixFrames(mixed, frames, e, gains, count);
}

} // namespace korvel::veldro

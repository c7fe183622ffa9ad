#include "synth/Grain.h"

#include "synth/dsp/BlockRead.h"
#include "synth/dsp/Lanes.h"
#include "synth/dsp/Shaping.h"
#include "synth/dsp/SoundReader.h"

#include <algorithm>
#include <cmath>

namespace korvel::veldro {

namespace {

// Adds softEdge(frames[i] × gains[i]) to frame i of mixed, in double and
// stored as float, lane by lane.
void mixInto(float* mixed, const __m128d* frames, const __m128d* gains, int count)
{
    __m128d y[Grain::BLOCK_FRAMES];
    __m128d over = _mm_setzero_pd();
    for (int i = 0; i < count; ++i) {
        y[i] = _mm_mul_pd(frames[i], gains[i]);
        const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), y[i]);
        over = _mm_or_pd(over, _mm_cmpgt_pd(magnitude, _mm_set1_pd(0.9)));
    }
    // softEdge leaves values within ±0.9 as they are, so only a block that
    // reaches beyond needs it.
    if (_mm_movemask_pd(over) != 0) {
        for (int i = 0; i < count; ++i)
            y[i] = lanes::pairOf(softEdge(lanes::low(y[i])), softEdge(lanes::high(y[i])));
    }
    for (int i = 0; i < count; ++i) {
        __m128i* frame = reinterpret_cast<__m128i*>(mixed + 2 * i);
        const __m128d before = _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(frame)));
        _mm_storel_epi64(frame, _mm_castps_si128(_mm_cvtpd_ps(_mm_add_pd(before, y[i]))));
    }
}

} // namespace

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
    __m128d g[BLOCK_FRAMES];
    for (int i = 0; i < count; ++i)
        g[i] = _mm_mul_pd(_mm_set1_pd(e[i]), gains);
    if (tapping) {
        for (int i = 0; i < count; ++i)
            tap.process(lanes::low(frames[i]), lanes::low(g[i]), lanes::high(frames[i]), lanes::high(g[i]), i);
    }
    mixInto(mixed, frames, g, count);
}

} // namespace korvel::veldro

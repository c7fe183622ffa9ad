#include "synth/Grain.h"

#include "synth/dsp/BlockRead.h"
#include "synth/dsp/Lanes.h"
#include "synth/dsp/Shaping.h"
#include "synth/dsp/SoundReader.h"

#include <algorithm>
#include <cmath>

namespace korvel::veldro {

namespace {

// left += softEdge(lane 0), right += softEdge(lane 1), added in double and
// stored as float.
void mixInto(float* left, float* right, __m128d x)
{
    const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), x);
    if (_mm_movemask_pd(_mm_cmpgt_pd(magnitude, _mm_set1_pd(0.9))) != 0)
        x = lanes::pairOf(softEdge(lanes::low(x)), softEdge(lanes::high(x)));
    const __m128d before = _mm_cvtps_pd(_mm_unpacklo_ps(_mm_load_ss(left), _mm_load_ss(right)));
    const __m128 sum = _mm_cvtpd_ps(_mm_add_pd(before, x));
    _mm_store_ss(left, sum);
    _mm_store_ss(right, _mm_shuffle_ps(sum, sum, 1));
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
    readFrames(samples, channels, at, frames, count);
    envelope.levels(e, count);
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
void Grain::render(float* left, float* right, const double* keyboardGain)
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
    for (int i = 0; i < count; ++i)
        mixInto(left + i, right + i, _mm_mul_pd(frames[i], g[i]));
}

} // namespace korvel::veldro

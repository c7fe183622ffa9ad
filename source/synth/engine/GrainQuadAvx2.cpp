#include "synth/Grain.h"

#include <immintrin.h>

// Only renderQuadAvx2 uses AVX2, and it runs only where the engine found it.
#include "synth/dsp/Avx2Begin.h"

#include "synth/dsp/DistortionQuad.h"
#include "synth/dsp/FilterQuad.h"

namespace korvel::veldro {

namespace {

constexpr int FRAMES = Grain::BLOCK_FRAMES;

// One channel of the four grains through their effect stages, stage by stage
// over the block as Grain::effectStages does.
void channelEffects(Grain* const (&lanes)[4], bool right, __m256d* x)
{
    if (lanes[0]->distorting) {
        Distortion* const units[4] = {&lanes[0]->distortion, &lanes[1]->distortion, &lanes[2]->distortion,
                                      &lanes[3]->distortion};
        auto crusher = [&](int k) { return right ? &units[k]->right : &units[k]->left; };
        auto toneState = [&](int k) { return right ? &units[k]->toneStateR : &units[k]->toneStateL; };
        Crusher* const crushers[4] = {crusher(0), crusher(1), crusher(2), crusher(3)};
        double* const toneStates[4] = {toneState(0), toneState(1), toneState(2), toneState(3)};
        DistortionQuad distortion(units, crushers, toneStates);
        distortion.shape(x, FRAMES);
        for (int i = 0; i < FRAMES; ++i)
            x[i] = distortion.process(x[i]);
        distortion.store();
    }
    if (lanes[0]->filtering) {
        auto filter = [&](int k) { return right ? &lanes[k]->filterR : &lanes[k]->filterL; };
        Filter* const filters[4] = {filter(0), filter(1), filter(2), filter(3)};
        FilterQuad filterQuad(filters);
        for (int i = 0; i < FRAMES; ++i)
            x[i] = filterQuad.process(x[i]);
        filterQuad.store();
    }
}

// A mono sound's right units see what its left ones see: they keep the same
// state, as the stereo code gives them.
void mirrorLeft(Grain& grain)
{
    grain.distortion.right = grain.distortion.left;
    grain.distortion.toneStateR = grain.distortion.toneStateL;
    grain.filterR = grain.filterL;
}

} // namespace

void Grain::renderQuadAvx2(Grain* const (&quad)[4], float* mixed, const double* keyboardGain)
{
    __m128d frames[4][FRAMES];
    double e[4][FRAMES];
    for (int g = 0; g < 4; ++g)
        quad[g]->read(frames[g], e[g], FRAMES);
    // Unpacking two grains' frames from each half of a register puts grains
    // 0, 2, 1, 3 into lanes 0 to 3.
    Grain* const lanes[4] = {quad[0], quad[2], quad[1], quad[3]};
    __m256d left[FRAMES];
    __m256d right[FRAMES];
    for (int i = 0; i < FRAMES; ++i) {
        const __m256d low = _mm256_set_m128d(frames[1][i], frames[0][i]);
        const __m256d high = _mm256_set_m128d(frames[3][i], frames[2][i]);
        left[i] = _mm256_unpacklo_pd(low, high);
        right[i] = _mm256_unpackhi_pd(low, high);
    }
    const bool mono = quad[0]->channels == 1;
    channelEffects(lanes, false, left);
    if (mono) {
        for (Grain* grain : quad)
            mirrorLeft(*grain);
    } else {
        channelEffects(lanes, true, right);
    }
    for (int i = 0; i < FRAMES; ++i) {
        const __m256d r = mono ? left[i] : right[i];
        const __m256d low = _mm256_unpacklo_pd(left[i], r);
        const __m256d high = _mm256_unpackhi_pd(left[i], r);
        frames[0][i] = _mm256_castpd256_pd128(low);
        frames[1][i] = _mm256_extractf128_pd(low, 1);
        frames[2][i] = _mm256_castpd256_pd128(high);
        frames[3][i] = _mm256_extractf128_pd(high, 1);
    }
    for (int g = 0; g < 4; ++g)
        quad[g]->deliver(mixed, frames[g], e[g], keyboardGain, FRAMES);
}

} // namespace korvel::veldro

#include "synth/dsp/Avx2End.h"

#include "synth/Grain.h"

#include <immintrin.h>

#include <type_traits>

// Only renderQuadAvx2 uses AVX2, and it runs only where the engine found it.
#include "synth/dsp/Avx2Begin.h"

#include "synth/dsp/DistortionQuad.h"
#include "synth/dsp/EnvelopeQuad.h"
#include "synth/dsp/FilterQuad.h"
#include "synth/dsp/ReadQuad.h"
#include "synth/dsp/TapQuad.h"

namespace korvel::veldro {

namespace {

constexpr int FRAMES = Grain::BLOCK_FRAMES;
using Quad = Grain* const (&)[4];

// Inline, so that the units' state stays in registers rather than going
// through the reference.
[[gnu::always_inline]] inline void runDistortion(DistortionQuad& distortion, __m256d* x)
{
    distortion.shape(x, FRAMES);
    for (int i = 0; i < FRAMES; ++i)
        x[i] = distortion.process(x[i]);
    distortion.store();
}

[[gnu::always_inline]] inline void runFilter(FilterQuad& filter, __m256d* x)
{
    for (int i = 0; i < FRAMES; ++i)
        x[i] = filter.process(x[i]);
    filter.store();
}

// Pointers to the same member of each grain, for the units that take them.
template <typename Member>
auto unitsOf(Quad quad, Member member)
{
    using Unit = std::remove_reference_t<decltype(quad[0]->*member)>;
    struct Units {
        Unit* units[4];
    };
    return Units{{&(quad[0]->*member), &(quad[1]->*member), &(quad[2]->*member), &(quad[3]->*member)}};
}

// The channels of the four grains through their effect stages, stage by stage
// over the block as Grain::effectStages does; right is null for a mono sound.
// A grain's two channels have units set up alike, so the right ones take
// their settings from the left ones.
void effects(Quad quad, __m256d* left, __m256d* right)
{
    if (quad[0]->distorting) {
        Distortion* units[4];
        Crusher* crushers[2][4];
        double* toneStates[2][4];
        for (int k = 0; k < 4; ++k) {
            Distortion& d = quad[k]->distortion;
            units[k] = &d;
            crushers[0][k] = &d.left;
            crushers[1][k] = &d.right;
            toneStates[0][k] = &d.toneStateL;
            toneStates[1][k] = &d.toneStateR;
        }
        DistortionQuad l(units, crushers[0], toneStates[0]);
        runDistortion(l, left);
        if (right) {
            DistortionQuad r(crushers[1], toneStates[1], l);
            runDistortion(r, right);
        }
    }
    if (quad[0]->filtering) {
        FilterQuad l(unitsOf(quad, &Grain::filterL).units);
        runFilter(l, left);
        if (right) {
            FilterQuad r(unitsOf(quad, &Grain::filterR).units, l);
            runFilter(r, right);
        }
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

// softEdge on each lane: the rare frame that reaches beyond ±0.9.
__m256d softEdges(__m256d x)
{
    alignas(32) double values[4];
    _mm256_store_pd(values, x);
    for (double& v : values)
        v = softEdge(v);
    return _mm256_load_pd(values);
}

} // namespace

void Grain::renderQuadAvx2(Quad quad, QuadMix& mix, const double* keyboardGain)
{
    ReadQuad reader;
    for (int k = 0; k < 4; ++k) {
        reader.samples[k] = quad[k]->samples;
        reader.stride[k] = quad[k]->channels;
    }
    reader.twoChannels = reader.stride[0] == 2 && reader.stride[1] == 2 && reader.stride[2] == 2 && reader.stride[3] == 2;
    reader.position = quad::gather(quad, [](const Grain& g) { return g.position; });
    reader.increment = quad::gather(quad, [](const Grain& g) { return g.increment; });
    reader.incrementDelta = quad::gather(quad, [](const Grain& g) { return g.incrementDelta; });
    reader.end = quad::gather(quad, [](const Grain& g) { return double(g.soundFrames); });
    __m256d at[FRAMES];
    for (__m256d& position : at)
        position = reader.advance();
    quad::scatter(quad, reader.position, [](Grain& g) -> double& { return g.position; });
    quad::scatter(quad, reader.increment, [](Grain& g) -> double& { return g.increment; });

    // The envelope's rotation is one long chain of dependent steps; started
    // first, it runs alongside the reads instead of after them.
    __m256d e[FRAMES];
    EnvelopeQuad envelope(unitsOf(quad, &Grain::envelope).units);
    envelope.levels(e, FRAMES);
    envelope.store();

    const bool mono = quad[0]->channels == 1;
    __m256d left[FRAMES];
    __m256d right[FRAMES];
    for (int i = 0; i < FRAMES; ++i) {
        if (mono)
            left[i] = reader.readMono(at[i]);
        else
            reader.readStereo(at[i], left[i], right[i]);
    }
    __m256d* rightOut = mono ? left : right;
    if (quad[0]->distorting || quad[0]->filtering) {
        effects(quad, left, mono ? nullptr : right);
        if (mono) {
            for (Grain* grain : quad)
                mirrorLeft(*grain);
        }
    }

    if (keyboardGain) {
        for (int i = 0; i < FRAMES; ++i)
            e[i] = _mm256_mul_pd(e[i], _mm256_set1_pd(keyboardGain[i]));
    }
    const __m256d gainL = quad::gather(quad, [](const Grain& g) { return g.gainL; });
    const __m256d gainR = quad::gather(quad, [](const Grain& g) { return g.gainR; });
    if (quad[0]->tapping) {
        TapQuad tap(unitsOf(quad, &Grain::tap).units);
        for (int i = 0; i < FRAMES; ++i)
            tap.process(i, left[i], rightOut[i], _mm256_mul_pd(e[i], gainL), _mm256_mul_pd(e[i], gainR));
        tap.store();
    }
    const __m256d edge = _mm256_set1_pd(0.9);
    __m256d over = _mm256_setzero_pd();
    for (int i = 0; i < FRAMES; ++i) {
        // A mono sound's right is its left: scaled before the left is.
        right[i] = _mm256_mul_pd(rightOut[i], _mm256_mul_pd(e[i], gainR));
        left[i] = _mm256_mul_pd(left[i], _mm256_mul_pd(e[i], gainL));
        over = _mm256_or_pd(over, _mm256_cmp_pd(quad::magnitude(left[i]), edge, _CMP_GT_OQ));
        over = _mm256_or_pd(over, _mm256_cmp_pd(quad::magnitude(right[i]), edge, _CMP_GT_OQ));
    }
    // softEdge leaves values within ±0.9 as they are, so only a block that
    // reaches beyond needs it.
    if (quad::any(over)) {
        for (int i = 0; i < FRAMES; ++i) {
            left[i] = softEdges(left[i]);
            right[i] = softEdges(right[i]);
        }
    }
    for (int i = 0; i < FRAMES; ++i) {
        _mm256_store_pd(mix.left[i], _mm256_add_pd(_mm256_load_pd(mix.left[i]), left[i]));
        _mm256_store_pd(mix.right[i], _mm256_add_pd(_mm256_load_pd(mix.right[i]), right[i]));
    }
    mix.used = true;
}

} // namespace korvel::veldro

#include "synth/dsp/Avx2End.h"

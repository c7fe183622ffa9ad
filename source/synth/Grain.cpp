#include "synth/Grain.h"

#include "synth/dsp/Avx2.h"
#include "synth/dsp/BlockRead.h"
#include "synth/dsp/DistortionPair.h"
#include "synth/dsp/FilterPair.h"
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
    advance(at, count);
    // The envelope's rotation is one long chain of dependent steps; started
    // first, it runs alongside the reads instead of after them.
    envelope.levels(e, count);
    readFrames(samples, channels, at, frames, count);
}

// Stage by stage: the crusher's and the filter's state together would not
// fit the registers.
__attribute__((always_inline)) inline void Grain::effectStages(__m128d* frames, int count)
{
    if (distorting) {
        DistortionPair distortionPair(distortion);
        distortionPair.shape(frames, count);
        for (int i = 0; i < count; ++i)
            frames[i] = distortionPair.process(frames[i]);
        distortionPair.store();
    }
    if (filtering) {
        // A mono sound's lanes are equal and so are its two filters: both
        // lanes carry the filtered left.
        FilterPair filterPair(filterL, filterR);
        for (int i = 0; i < count; ++i)
            frames[i] = filterPair.process(frames[i]);
        filterPair.store();
    }
}

void Grain::applyEffectsSse2(__m128d* frames, int count)
{
    effectStages(frames, count);
}

// The AVX2 build's three-operand forms spare the register copies along these
// chains (no FMA, so the results are the same). Chosen by an explicit test
// rather than target_clones: the ifunc resolver that would pick it runs before
// a sanitizer's runtime is up and crashes instrumented builds.
#include "synth/dsp/Avx2Begin.h"
void Grain::applyEffectsAvx2(__m128d* frames, int count)
{
    effectStages(frames, count);
}
#include "synth/dsp/Avx2End.h"

void Grain::applyEffects(__m128d* frames, int count)
{
    if (hasAvx2())
        applyEffectsAvx2(frames, count);
    else
        applyEffectsSse2(frames, count);
}

// Stage by stage over the block, left and right side by side: each frame sees
// the same operations in the same order as frame by frame would, only the tap
// depends on earlier frames.
void Grain::render(double* mixed, const double* keyboardGain)
{
    const int count = std::min(BLOCK_FRAMES, envelope.framesLeft());
    if (count == BLOCK_FRAMES && channels >= 2 && !keyboardGain && !distorting && !filtering && !tapping &&
        hasAvx2()) {
        renderPlainAvx2(mixed);
        return;
    }
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
    if (tapping)
        tap.processBlock(frames, e, gains, count);
    mixFrames(mixed, frames, e, gains, count);
}

} // namespace korvel::veldro

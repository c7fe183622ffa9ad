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
// fit the registers. Also built for AVX2, chosen when the library loads: its
// three-operand forms spare the register copies along these chains (no FMA,
// so the results are the same).
__attribute__((target_clones("avx2", "default"))) void Grain::applyEffects(__m128d* frames, int count)
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

// Stage by stage over the block, left and right side by side: each frame sees
// the same operations in the same order as frame by frame would, only the tap
// depends on earlier frames.
void Grain::render(float* mixed, const double* keyboardGain)
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

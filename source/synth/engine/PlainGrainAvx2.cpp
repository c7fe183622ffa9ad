#include "synth/Grain.h"

#include "synth/dsp/FrameMix.h"
#include "synth/dsp/Lanes.h"

#include <immintrin.h>

// Only renderPlainAvx2 uses AVX2, and it runs only when Grain::render found
// it.
#include "synth/dsp/Avx2Begin.h"

#include "synth/dsp/FrameMixAvx2.h"
#include "synth/dsp/ReadFourAvx2.h"

namespace korvel::veldro {

// The steps of render() in one function, so the reads and the mix share
// registers and need no calls between them.
void Grain::renderPlainAvx2(double* mixed)
{
    double at[BLOCK_FRAMES];
    advance(at, BLOCK_FRAMES);
    double e[BLOCK_FRAMES];
    // The envelope's rotation is one long chain of dependent steps; started
    // first, it runs alongside the reads instead of after them.
    envelope.levels(e, BLOCK_FRAMES);
    __m128d frames[BLOCK_FRAMES];
    avx2::readFour(samples, channels, at, frames);
    avx2::readFour(samples, channels, at + 4, frames + 4);
    avx2::mixFrames(mixed, frames, e, lanes::pairOf(gainL, gainR), BLOCK_FRAMES);
}

} // namespace korvel::veldro

#include "synth/dsp/Avx2End.h"

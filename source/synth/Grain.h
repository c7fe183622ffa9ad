#pragma once

#include "synth/dsp/Distortion.h"
#include "synth/dsp/Filter.h"
#include "synth/dsp/GrainBuffer.h"
#include "synth/dsp/GrainEnvelope.h"
#include "synth/dsp/Shaping.h"

#include <emmintrin.h>

namespace korvel::veldro {

struct SoundSlot;

// Where groups of four grains add their frames: per frame and lane the sum of
// the grains that went through that lane, in double, until the block ends.
struct QuadMix {
    static constexpr int FRAMES = 8;
    alignas(32) double left[FRAMES][4] = {};
    alignas(32) double right[FRAMES][4] = {};
    bool used = false;
};

// One grain record of the engine's pool: where and how fast it reads its
// sound, its envelope and pan, and its own effect units. Every setting is
// fixed when the grain starts; render then advances it one block at a time.
// A record whose envelope is done is idle. Audio thread only (set-up of the
// pool aside).
struct Grain {
    static constexpr int BLOCK_FRAMES = QuadMix::FRAMES;

    Grain* next = nullptr;        // link of the engine's active or free list
    // The grain's sound: the slot keeps it alive while the grain reads it.
    SoundSlot* sound = nullptr;
    const float* samples = nullptr; // interleaved, with wrap frames after the end
    int channels = 0;
    int soundFrames = 0;
    GrainEnvelope envelope;
    double position = 0.0;        // read position in frames of the sound
    double increment = 0.0;       // frames per output frame; negative plays backwards
    double incrementDelta = 0.0;  // glide: change of increment per frame
    double gainL = 0.0;
    double gainR = 0.0;
    // Which effect stages run, fixed when the grain starts (chooseStages), so
    // that bare grains never touch the effect units.
    bool distorting = false;
    bool filtering = false;
    bool tapping = false;
    Distortion distortion;
    Filter filterL;
    Filter filterR;
    GrainBuffer tap;

    bool isIdle() const { return envelope.isDone(); }
    // After the units are set up for a new grain.
    void chooseStages();

    // Adds the grain's next frames (BLOCK_FRAMES, fewer when it ends sooner)
    // into mixed (left and right interleaved, 16-byte aligned). keyboardGain:
    // the keyboard envelope's squared level per frame of the block, or null
    // when the keyboard does not shape grains.
    void render(double* mixed, const double* keyboardGain);
    // render() on four grains at once, one per lane of 256-bit registers,
    // each with more than BLOCK_FRAMES frames left, of sounds with the same
    // number of channels (one, or two and more) and with the same effect
    // stages and tap on. Adds into mix instead of a mixed block. Only on a
    // processor with AVX2.
    static void renderQuadAvx2(Grain* const (&quad)[4], QuadMix& mix, const double* keyboardGain);

private:
    // The read positions of the next count frames; moves the position on.
    void advance(double* at, int count)
    {
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
    }
    // The next count frames of the sound (left in the low lane) and their
    // envelope levels.
    void read(__m128d* frames, double* e, int count);
    // A whole block of a grain with two or more channels and no effect, tap
    // or keyboard shaping, on a processor with AVX2: render() without the
    // steps between the read and the mix.
    void renderPlainAvx2(double* mixed);
    // Distortion and filters, when the grain has them: the AVX2 build of the
    // same stages where the processor has it, else the SSE2 one.
    void applyEffects(__m128d* frames, int count);
    void applyEffectsSse2(__m128d* frames, int count);
    void applyEffectsAvx2(__m128d* frames, int count);
    void effectStages(__m128d* frames, int count);
};

} // namespace korvel::veldro

#pragma once

#include "synth/Ramp.h"

#include <cstdint>

namespace korvel::veldro {

// One keyboard envelope: started by a note, shaped by the "adsr1" or "adsr2"
// points. Times are seconds from the note's frame; the level ramp runs in
// frames. Audio thread only (the editor's drawing reads level.current).
struct MidiEnvelope {
    enum State : std::int32_t { IDLE = 0, WAITING = 1, ATTACK = 2, DECAY = 3, SUSTAIN = 4, RELEASE = 5 };

    // Attack, decay, sustain and release settings taken from the parameters.
    struct Shape {
        double attack;  // seconds
        double peak;    // level at the end of the attack, before velocity
        double decay;   // seconds
        double sustain; // level
        double release; // seconds
        double rest;    // level at the end of the release
    };

    std::int32_t state = IDLE;
    double time = 0.0;
    double attackEnd = 0.0;
    double decayEnd = 0.0;
    double sustainLevel = 0.0;
    double releaseEnd = 0.0;
    Ramp level;

    // From the current level (no reset): legato notes glide to the new peak.
    void start(const Shape& shape, double velocity, std::int32_t deltaFrames, double sampleRate)
    {
        time = -deltaFrames / sampleRate;
        state = time != 0.0 ? WAITING : ATTACK;
        releaseEnd = 0.0;
        level.setTarget(velocity * shape.peak, shape.attack * sampleRate);
        attackEnd = shape.attack;
        decayEnd = shape.attack + shape.decay;
        sustainLevel = shape.sustain;
    }

    void release(const Shape& shape, std::int32_t deltaFrames, double sampleRate)
    {
        state = RELEASE;
        time = -deltaFrames / sampleRate;
        releaseEnd = shape.release;
        attackEnd = 0.0;
        decayEnd = 0.0;
        sustainLevel = 0.0;
        level.setTarget(shape.rest, shape.release * sampleRate);
    }

    void stop()
    {
        state = IDLE;
        time = 0.0;
    }

    void advance(int frames, double sampleRate)
    {
        if (state != WAITING)
            level.advance(frames);
        if (state == IDLE)
            return;
        time += frames / sampleRate;
        if (state == WAITING && time >= 0.0)
            state = ATTACK;
        if (state == ATTACK && time > attackEnd) {
            state = DECAY;
            level.setTarget(sustainLevel, (decayEnd - attackEnd) * sampleRate);
        }
        if (state == DECAY && time > decayEnd) {
            state = SUSTAIN;
            attackEnd = 0.0;
            decayEnd = 0.0;
        }
        if (state == RELEASE && time > releaseEnd) {
            state = IDLE;
            releaseEnd = 0.0;
            time = 0.0;
        }
    }

    // The keyboard amplitude at frame i of the current sub-block.
    double levelAt(int frame) const { return state == WAITING ? double(level.current) : level.valueAt(frame); }
};

} // namespace korvel::veldro

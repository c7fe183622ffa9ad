#pragma once

#include <memory>

namespace audio {
class SoundPack;
}

namespace korvel::veldro {

class MidiState;

// What the parameter model reads of the engine that owns it: the run state
// (for the change time and patch recalls), the play head, the current sound
// and the MIDI state (for the controllers). Implemented by the Synth; tests
// use a stand-in. Every function may be called from any thread: the audio
// thread evaluates controllers while the editor and host threads set
// parameters.
class ISynthEngine {
public:
    virtual ~ISynthEngine() = default;

    // True while the engine renders with a sound.
    virtual bool isEngineRunning() const = 0;
    // Play head in frames of the current sound.
    virtual double getPlayPosition() const = 0;
    // Possibly null.
    virtual std::shared_ptr<const audio::SoundPack> getCurrentSound() const = 0;
    // Host sample rate in Hz; 0 until the host has set it.
    virtual double getSampleRate() const = 0;
    virtual const MidiState& getMidiState() const = 0;
    // True on the thread that is rendering or taking MIDI events right now.
    virtual bool isAudioThread() const { return false; }
};

} // namespace korvel::veldro

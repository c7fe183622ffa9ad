#pragma once

#include "synth/MidiEnvelope.h"
#include "synth/Ramp.h"

#include <array>
#include <cstdint>

namespace korvel::veldro {

class SynthParams;

// A note event as the processor hands it on: 8 bytes.
struct NoteRecord {
    static constexpr std::uint8_t NOTE_ON = 0x90;
    static constexpr std::uint8_t NOTE_OFF = 0x80;

    std::uint8_t note;
    std::uint8_t channel;
    std::uint8_t kind; // NOTE_ON or NOTE_OFF; any other kind only sets the keyboard mode
    std::uint8_t velocity;
    std::int32_t deltaFrames;
};
static_assert(sizeof(NoteRecord) == 8);

// What the engine and the "midi" and "adsr_mix" controllers read of the MIDI
// input: a monophonic note (the latest key still held), velocity, mod wheel
// and pitch bend glides, and the two keyboard envelopes.
//
// Threads: everything here runs on the audio thread; the editor's drawing
// reads the glides, the envelope levels and the current note through the
// controllers without locks, so those are atomic. Nothing
// allocates: the held keys, the note stack and the pending notes are fixed
// tables.
class MidiState {
public:
    static constexpr int CHANNELS = 16;
    static constexpr int NOTES = 128;
    static constexpr int NOTE_STACK_SIZE = 256;
    static constexpr int MAX_PENDING_NOTES = 512;
    static constexpr int PITCH_BEND_CENTRE = 8192;
    static constexpr int CONTROLLER_PITCH_BEND = 224;
    static constexpr int CONTROLLER_MOD_WHEEL = 1;
    static constexpr int CONTROLLER_AFTERTOUCH = 160;

    // --- audio thread

    // Queues a note until the sub-block that holds its frame: deltaFrames
    // counts from the next frame that advance() covers (an engine that has
    // rendered ahead subtracts what it has rendered). soundReady is the
    // engine's keyboard mode for this note. When the queue is full, the oldest
    // pending note is applied at once.
    void receiveNote(const NoteRecord& note, bool soundReady, const SynthParams& params, double sampleRate);

    // Pitch bend (224, 14-bit value), mod wheel (1), aftertouch (160, note,
    // pressure); other controllers are ignored.
    void controller(int kind, int value, int value2);

    // One sub-block: applies the notes due in it, then advances both
    // envelopes by frames and the glides by frames / sampleRate seconds. A
    // note off whose note has not been heard for one sub-block yet waits for
    // the next one, so a note is never lost however short it is.
    void advance(int frames, double sampleRate, const SynthParams& params);

    // Applies every pending note now (for blocks the engine does not render).
    void applyPendingNotes(const SynthParams& params, double sampleRate);

    // Apply one note at once; deltaFrames is the wait before its attack.
    void noteOn(const NoteRecord& note, const SynthParams& params, double sampleRate);
    void noteOff(const NoteRecord& note, const SynthParams& params, double sampleRate);

    // --- any thread (reads)

    // Offset of the current note from the reference note, in semitones.
    double noteOffset() const { return currentNote - referenceNote; }
    bool isHeld(int channel, int note) const;

    Ramp velocity;  // last note's velocity / 128, or its aftertouch / 128
    Ramp modWheel;  // controller 1 / 128
    Ramp pitchBend; // -1..1
    MidiEnvelope envelope1; // keyboard amplitude of every grain ("adsr1")
    MidiEnvelope envelope2; // for the controllers ("adsr2")
    bool keyboardMode = false;
    double glideTime = 0.2;
    double referenceNote = 60.0;
    SharedDouble currentNote = 60.0;

private:
    struct PendingNote {
        NoteRecord note;
        bool soundReady;
    };

    static int keyOf(const NoteRecord& note) { return (note.channel & 0x0F) * 256 + (note.note & 0x7F); }
    bool isKeyHeld(int key) const;
    void setHeld(int key, bool held);
    void pushKey(int key);
    void releaseFromStack(int key);
    void applyNote(const PendingNote& pending, const SynthParams& params, double sampleRate);
    void dropFirstPending();

    std::array<bool, CHANNELS * NOTES> held{};
    int heldCount = 0;
    std::array<std::uint16_t, NOTE_STACK_SIZE> noteStack{};
    int stackSize = 0;
    std::array<PendingNote, MAX_PENDING_NOTES> pending{};
    int pendingStart = 0;
    int pendingCount = 0;
    // Set by a note on in keyboard mode until envelope 1 has advanced once.
    bool attackPending = false;
};

} // namespace korvel::veldro

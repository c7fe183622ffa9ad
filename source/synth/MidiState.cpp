#include "synth/MidiState.h"

#include "synth/SynthParamIds.h"
#include "synth/SynthParams.h"

#include <algorithm>

namespace korvel::veldro {

namespace {

// Envelope times are milliseconds, limited to 1 ms .. 60 s.
double envelopeTime(const SynthParams& params, int id)
{
    return std::clamp(params.getParam(id).first * 0.001, 0.001, 60.0);
}

// Three fields (delta, level, curve) per point from the envelope's first id.
MidiEnvelope::Shape envelopeShape(const SynthParams& params, int firstId)
{
    auto level = [&](int point) { return params.getParam(firstId + 3 * point + 1).first; };
    auto delta = [&](int point) { return envelopeTime(params, firstId + 3 * point); };
    return {delta(1), level(1), delta(2), level(2), delta(3), level(0)};
}

} // namespace

void MidiState::receiveNote(const NoteRecord& note, bool soundReady, const SynthParams& params, double sampleRate)
{
    if (pendingCount == MAX_PENDING_NOTES) {
        applyNote(pending[pendingStart], params, sampleRate);
        dropFirstPending();
    }
    pending[(pendingStart + pendingCount) % MAX_PENDING_NOTES] = {note, soundReady};
    ++pendingCount;
}

void MidiState::controller(int kind, int value, int value2)
{
    switch (kind) {
    case CONTROLLER_PITCH_BEND:
        pitchBend.setTarget((value - PITCH_BEND_CENTRE) / double(PITCH_BEND_CENTRE), glideTime);
        break;
    case CONTROLLER_MOD_WHEEL:
        modWheel.setTarget(value / 128.0, glideTime);
        break;
    case CONTROLLER_AFTERTOUCH:
        if (value == currentNote)
            velocity.setTarget(value2 / 128.0, glideTime);
        break;
    default:
        break;
    }
}

void MidiState::advance(int frames, double sampleRate, const SynthParams& params)
{
    while (pendingCount > 0) {
        PendingNote& next = pending[pendingStart];
        if (next.note.deltaFrames >= frames)
            break;
        if (next.note.kind == NoteRecord::NOTE_OFF && attackPending)
            break;
        next.note.deltaFrames = std::max(next.note.deltaFrames, 0);
        applyNote(next, params, sampleRate);
        dropFirstPending();
    }
    for (int i = 0; i < pendingCount; ++i) {
        std::int32_t& delta = pending[(pendingStart + i) % MAX_PENDING_NOTES].note.deltaFrames;
        delta = std::max(delta - frames, 0);
    }

    if (envelope1.state != MidiEnvelope::WAITING)
        attackPending = false;
    envelope1.advance(frames, sampleRate);
    envelope2.advance(frames, sampleRate);
    const double dt = frames / sampleRate;
    velocity.advance(dt);
    modWheel.advance(dt);
    pitchBend.advance(dt);
}

void MidiState::applyPendingNotes(const SynthParams& params, double sampleRate)
{
    while (pendingCount > 0) {
        applyNote(pending[pendingStart], params, sampleRate);
        dropFirstPending();
    }
}

void MidiState::applyNote(const PendingNote& next, const SynthParams& params, double sampleRate)
{
    keyboardMode = next.soundReady;
    if (next.note.kind == NoteRecord::NOTE_ON)
        noteOn(next.note, params, sampleRate);
    else if (next.note.kind == NoteRecord::NOTE_OFF)
        noteOff(next.note, params, sampleRate);
}

void MidiState::dropFirstPending()
{
    pendingStart = (pendingStart + 1) % MAX_PENDING_NOTES;
    --pendingCount;
}

void MidiState::noteOn(const NoteRecord& note, const SynthParams& params, double sampleRate)
{
    const int key = keyOf(note);
    setHeld(key, true);
    pushKey(key);
    currentNote = note.note & 0x7F;
    const double v = note.velocity / 128.0;
    velocity.setTarget(v, glideTime);

    for (MidiEnvelope* envelope : {&envelope1, &envelope2}) {
        envelope->time = 0.0;
        envelope->releaseEnd = 0.0;
    }
    if (!keyboardMode) {
        envelope1.state = envelope2.state = MidiEnvelope::IDLE;
        return;
    }
    envelope1.start(envelopeShape(params, param_id::ADSR1_FIRST), v, note.deltaFrames, sampleRate);
    envelope2.start(envelopeShape(params, param_id::ADSR2_FIRST), v, note.deltaFrames, sampleRate);
    attackPending = true;
}

void MidiState::noteOff(const NoteRecord& note, const SynthParams& params, double sampleRate)
{
    const int key = keyOf(note);
    const bool wasHeld = isKeyHeld(key);
    const bool wasLast = stackSize > 0 && noteStack[stackSize - 1] == key;
    setHeld(key, false);
    releaseFromStack(key);
    if (!wasHeld)
        return;

    if (!keyboardMode) {
        envelope1.stop();
        envelope2.stop();
    } else if (heldCount > 0) {
        if (wasLast && stackSize > 0)
            currentNote = noteStack[stackSize - 1] % 256;
    } else {
        envelope1.release(envelopeShape(params, param_id::ADSR1_FIRST), note.deltaFrames, sampleRate);
        envelope2.release(envelopeShape(params, param_id::ADSR2_FIRST), note.deltaFrames, sampleRate);
    }
}

bool MidiState::isHeld(int channel, int note) const { return isKeyHeld(channel * 256 + note); }

bool MidiState::isKeyHeld(int key) const { return held[(key >> 8) % CHANNELS * NOTES + key % NOTES]; }

void MidiState::setHeld(int key, bool isDown)
{
    bool& slot = held[(key >> 8) % CHANNELS * NOTES + key % NOTES];
    if (slot != isDown)
        heldCount += isDown ? 1 : -1;
    slot = isDown;
}

void MidiState::pushKey(int key)
{
    if (stackSize == NOTE_STACK_SIZE) {
        // Keys released out of order linger below the top; make room from them first.
        auto end = std::remove_if(noteStack.begin(), noteStack.end(), [&](std::uint16_t k) { return !isKeyHeld(k); });
        stackSize = int(end - noteStack.begin());
        if (stackSize == NOTE_STACK_SIZE) {
            std::move(noteStack.begin() + 1, noteStack.end(), noteStack.begin());
            --stackSize;
        }
    }
    noteStack[stackSize++] = std::uint16_t(key);
}

void MidiState::releaseFromStack(int key)
{
    if (heldCount == 0) {
        stackSize = 0;
        return;
    }
    if (stackSize == 0 || noteStack[stackSize - 1] != key)
        return;
    --stackSize;
    while (stackSize > 0 && !isKeyHeld(noteStack[stackSize - 1]))
        --stackSize;
}

} // namespace korvel::veldro

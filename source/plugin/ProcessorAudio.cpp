// The Processor's audio thread: blocks, fades and MIDI input.
#include "plugin/Processor.h"

#include "plugin/RaisedCosineFade.h"

#include <algorithm>

namespace korvel {

namespace {

constexpr unsigned char NOTE_OFF = 0x80;
constexpr unsigned char NOTE_ON = 0x90;
constexpr unsigned char POLY_AFTERTOUCH = 0xA0;
constexpr unsigned char CONTROL_CHANGE = 0xB0;
constexpr unsigned char PROGRAM_CHANGE = 0xC0;
constexpr unsigned char PITCH_BEND = 0xE0;

}  // namespace

void Processor::processReplacing(float** /*inputs*/, float** outputs, VstInt32 frames) {
    tellHostOfOwnChanges();
    // Hosts send empty blocks; one must not use up a pending fade that it cannot apply.
    if (frames <= 0) return;
    if (isHostOffline()) {
        // Offline, what the host asked for takes effect before the block, at the same frame
        // whatever the loads' speed; outside the audio thread's scope, so that the loads start
        // and the recalls finish here. A real-time host is never kept waiting.
        synth.getParams().retryHeldRecall();
        completeLatestRequest();
    }
    const veldro::Synth::AudioThreadScope audioThread(synth);
    const int state = fadeState.load(std::memory_order_acquire);
    if (state < FADE_IN) {
        std::fill_n(outputs[0], frames, 0.0f);
        std::fill_n(outputs[1], frames, 0.0f);
        return;
    }
    synth.render(outputs, frames);
    if (!synth.isSoundReady()) {
        // Without a sound the block is silent: a fade out has nothing left to fade, a fade in waits.
        if (state == FADE_OUT) finishFadeOut();
        return;
    }
    if (state == FADE_IN) {
        fadeInBlockStart(outputs, frames);
        int expected = FADE_IN;
        fadeState.compare_exchange_strong(expected, PLAYING, std::memory_order_acq_rel);
    } else if (state == FADE_OUT) {
        fadeOutBlockEnd(outputs, frames);
        finishFadeOut();
    }
}

void Processor::finishFadeOut() {
    int expected = FADE_OUT;
    if (!fadeState.compare_exchange_strong(expected, SILENT, std::memory_order_acq_rel)) return;
    synth.suspend();
    // A resume that came in between may have run before the suspend above; it must win.
    if (fadeState.load(std::memory_order_acquire) != SILENT) synth.resume();
}

void Processor::processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames) {
    const auto count = static_cast<std::size_t>(std::max(frames, 0));
    for (int channel = 0; channel < 2; ++channel) {
        if (inputs && inputs[channel])
            std::copy_n(inputs[channel], count, outputs[channel]);
        else
            std::fill_n(outputs[channel], count, 0.0);
    }
}

VstInt32 Processor::processEvents(VstEvents* events) {
    if (!events) return 0;
    const veldro::Synth::AudioThreadScope audioThread(synth);
    for (VstInt32 i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = events->events[i];
        if (!event || event->type != kVstMidiType) continue;
        const auto& midi = *reinterpret_cast<const VstMidiEvent*>(event);
        const auto status = static_cast<unsigned char>(midi.midiData[0]);
        const auto kind = static_cast<unsigned char>(status & 0xF0);
        const int d1 = midi.midiData[1] & 0x7F;
        const int d2 = midi.midiData[2] & 0x7F;
        switch (kind) {
        case NOTE_OFF:
        case NOTE_ON: {
            const bool on = kind == NOTE_ON && d2 > 0;  // a note on with velocity 0 is a note off
            synth.processMidiEvent({static_cast<std::uint8_t>(d1), static_cast<std::uint8_t>(status & 0x0F),
                                    on ? veldro::NoteRecord::NOTE_ON : veldro::NoteRecord::NOTE_OFF,
                                    static_cast<std::uint8_t>(d2), midi.deltaFrames});
            break;
        }
        case PITCH_BEND:
            synth.processMidiController(veldro::MidiState::CONTROLLER_PITCH_BEND, (d2 << 7) | d1, 0);
            break;
        case CONTROL_CHANGE:
            synth.processMidiController(d1, d2, 0);
            break;
        case POLY_AFTERTOUCH:
            synth.processMidiController(veldro::MidiState::CONTROLLER_AFTERTOUCH, d1, d2);
            break;
        case PROGRAM_CHANGE:
            synth.processProgramChange(d1);
            break;
        default:
            break;
        }
    }
    return 0;
}

}  // namespace korvel

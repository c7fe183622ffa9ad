#include "MidiSchedule.h"

#include "HostError.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace korvel::host {

namespace {

constexpr int NOTE_OFF_RANK = 0;
constexpr int PROGRAM_RANK = 1;
constexpr int NOTE_ON_RANK = 2;

void requireMidiValue(int value, int lowest, const char* what) {
    if (value < lowest || value > 127)
        throw HostError(std::string(what) + " " + std::to_string(value) + " is outside " + std::to_string(lowest) +
                        "..127");
}

}  // namespace

EventBlock::EventBlock() {
    for (std::size_t i = 0; i < midi.size(); ++i) list.events[i] = reinterpret_cast<VstEvent*>(&midi[i]);
}

void EventBlock::add(VstInt32 deltaFrames, const std::array<unsigned char, 3>& bytes) {
    if (list.numEvents == CAPACITY)
        throw HostError("more than " + std::to_string(CAPACITY) + " MIDI messages fall into one block");
    VstMidiEvent& event = midi[static_cast<std::size_t>(list.numEvents++)];
    event = VstMidiEvent{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = deltaFrames;
    for (std::size_t i = 0; i < bytes.size(); ++i) event.midiData[i] = static_cast<char>(bytes[i]);
}

std::int64_t MidiSchedule::frameAt(double seconds) const {
    if (!(seconds >= 0) || !std::isfinite(seconds))
        throw HostError("a MIDI time must be 0 seconds or later, not " + std::to_string(seconds));
    return std::llround(seconds * sampleRate);
}

void MidiSchedule::insert(const Message& message) {
    const auto later = std::upper_bound(messages.begin(), messages.end(), message, [](const Message& a, const Message& b) {
        return a.frame != b.frame ? a.frame < b.frame : a.rank < b.rank;
    });
    messages.insert(later, message);
}

void MidiSchedule::addNote(const NoteSpec& note) {
    requireMidiValue(note.key, 0, "note");
    requireMidiValue(note.velocity, 1, "velocity");
    if (!(note.length > 0)) throw HostError("a note must last longer than 0 seconds");
    const auto key = static_cast<unsigned char>(note.key);
    insert({frameAt(note.start), NOTE_ON_RANK, {0x90, key, static_cast<unsigned char>(note.velocity)}});
    insert({frameAt(note.start + note.length), NOTE_OFF_RANK, {0x80, key, 0}});
}

void MidiSchedule::addProgramChange(const ProgramSpec& change) {
    requireMidiValue(change.program, 0, "program");
    insert({frameAt(change.time), PROGRAM_RANK, {0xC0, static_cast<unsigned char>(change.program), 0}});
}

void MidiSchedule::collect(std::int64_t blockStart, int frames, EventBlock& block) const {
    block.clear();
    const auto first = std::lower_bound(messages.begin(), messages.end(), blockStart,
                                        [](const Message& m, std::int64_t frame) { return m.frame < frame; });
    for (auto message = first; message != messages.end() && message->frame < blockStart + frames; ++message)
        block.add(static_cast<VstInt32>(message->frame - blockStart), message->bytes);
}

}  // namespace korvel::host

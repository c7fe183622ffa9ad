#pragma once

#include "plugin/VstAbi.h"

#include <array>
#include <cstdint>
#include <vector>

namespace korvel::host {

struct NoteSpec {
    double start = 0;  // seconds
    int key = 60;
    int velocity = 100;
    double length = 1;  // seconds
};

struct ProgramSpec {
    double time = 0;  // seconds
    int program = 0;
};

// A VstEvents list with room for a fixed number of MIDI events.
class EventBlock {
public:
    static constexpr int CAPACITY = 1024;

    EventBlock();
    EventBlock(const EventBlock&) = delete;
    EventBlock& operator=(const EventBlock&) = delete;

    void clear() { list.numEvents = 0; }
    // Throws HostError when the block is full.
    void add(VstInt32 deltaFrames, const std::array<unsigned char, 3>& bytes);
    int size() const { return list.numEvents; }
    const VstMidiEvent& event(int index) const { return midi[static_cast<std::size_t>(index)]; }
    // The record a host hands to effProcessEvents.
    VstEvents* events() { return reinterpret_cast<VstEvents*>(&list); }

private:
    // Laid out as VstEvents with a longer pointer array.
    struct List {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[CAPACITY];
    };
    static_assert(offsetof(List, events) == offsetof(VstEvents, events));

    List list{};
    std::array<VstMidiEvent, CAPACITY> midi{};
};

// Timed MIDI messages on channel 1, handed out block by block.
class MidiSchedule {
public:
    explicit MidiSchedule(double sampleRate) : sampleRate(sampleRate) {}

    // Throw HostError for a time before 0, a note length of 0 or less, or a number outside MIDI's range.
    void addNote(const NoteSpec& note);
    void addProgramChange(const ProgramSpec& change);

    // Fills block with the messages of frames [blockStart, blockStart + frames), in time order;
    // at one frame note offs come first, then program changes, then note ons.
    void collect(std::int64_t blockStart, int frames, EventBlock& block) const;

private:
    struct Message {
        std::int64_t frame;
        int rank;  // order of messages at the same frame
        std::array<unsigned char, 3> bytes;
    };

    std::int64_t frameAt(double seconds) const;
    void insert(const Message& message);

    double sampleRate;
    std::vector<Message> messages;  // sorted by frame, then rank, then insertion
};

}  // namespace korvel::host

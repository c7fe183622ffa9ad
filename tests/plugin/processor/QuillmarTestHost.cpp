#include "QuillmarTestHost.h"

#include <algorithm>
#include <cmath>

namespace korvel::test {

const host::PluginModule& quillmarModule() {
    static const host::PluginModule module(QUILLMAR_PLUGIN);
    return module;
}

Processor& processorOf(host::PluginInstance& plugin) {
    return *static_cast<Processor*>(static_cast<AudioEffect*>(plugin.effect().object));
}

ScratchFolder::ScratchFolder() : previous(std::filesystem::current_path()) {
    std::filesystem::current_path(dir.path());
}

ScratchFolder::~ScratchFolder() { std::filesystem::current_path(previous); }

std::filesystem::path ScratchFolder::sound(const std::string& name, const std::vector<double>& frequencies,
                                           double seconds) const {
    const std::filesystem::path path = dir.file(name);
    if (!std::filesystem::exists(path)) demo::writeChord(path, frequencies, seconds);
    return path;
}

std::vector<std::pair<std::string, double>> shortNoteValues() {
    return {{"grain.rate", 80.0}, {"grain.length", 40.0}, {"adsr1.points.1.delta", 5.0},
            {"adsr1.points.3.delta", 20.0}};
}

double Stereo::rms(const std::vector<float>& channel, std::size_t from, std::size_t to) const {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(channel[i]) * channel[i];
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

void Stereo::append(const Stereo& more) {
    left.insert(left.end(), more.left.begin(), more.left.end());
    right.insert(right.end(), more.right.begin(), more.right.end());
}

Stereo renderBlocks(host::PluginInstance& plugin, const host::MidiSchedule& schedule, int frames, int blockSize,
                    std::int64_t firstFrame) {
    Stereo result;
    std::vector<float> left(static_cast<std::size_t>(blockSize));
    std::vector<float> right(left.size());
    std::vector<float> silence(left.size());
    float* inputs[] = {silence.data(), silence.data()};
    float* outputs[] = {left.data(), right.data()};
    host::EventBlock events;
    for (int start = 0; start < frames; start += blockSize) {
        const int n = std::min(blockSize, frames - start);
        events.clear();
        schedule.collect(firstFrame + start, n, events);
        if (events.size() > 0) plugin.processEvents(events.events());
        plugin.processReplacing(inputs, outputs, n);
        result.left.insert(result.left.end(), left.begin(), left.begin() + n);
        result.right.insert(result.right.end(), right.begin(), right.begin() + n);
    }
    return result;
}

Stereo renderBlocks(host::PluginInstance& plugin, int frames, int blockSize) {
    return renderBlocks(plugin, host::MidiSchedule(RATE), frames, blockSize);
}

std::string chunkOf(host::PluginInstance& plugin) {
    void* data = nullptr;
    const VstIntPtr size = plugin.dispatch(effGetChunk, 0, 0, &data);
    return std::string(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

std::vector<demo::StoredSlot> sixSlots(const ScratchFolder& folder, double rate) {
    const std::filesystem::path sounds[] = {folder.sound("a.wav", {220.0}), folder.sound("b.wav", {330.0}),
                                            folder.sound("c.wav", {440.0})};
    std::vector<demo::StoredSlot> slots;
    for (int slot = 1; slot <= 6; ++slot)
        slots.push_back({slot, sounds[slot % 3], {{"grain.rate", rate + slot}}});
    return slots;
}

std::string sixSlotState(const ScratchFolder& folder, double rate) { return demo::makeState(sixSlots(folder, rate)); }

void sendMidi(host::PluginInstance& plugin, const std::vector<std::array<unsigned char, 3>>& messages) {
    host::EventBlock events;
    for (const auto& bytes : messages) events.add(0, bytes);
    plugin.processEvents(events.events());
}

}  // namespace korvel::test

#include "Render.h"

#include "HostError.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace korvel::host {

namespace {

// One buffer per channel and the pointer array a plug-in takes.
struct ChannelBuffers {
    ChannelBuffers(int channels, int frames)
        : samples(static_cast<std::size_t>(channels), std::vector<float>(static_cast<std::size_t>(frames))) {
        for (auto& channel : samples) pointers.push_back(channel.data());
        pointers.push_back(nullptr);  // a valid array even without channels
    }
    void clear() {
        for (auto& channel : samples) std::fill(channel.begin(), channel.end(), 0.0f);
    }

    std::vector<std::vector<float>> samples;
    std::vector<float*> pointers;
};

}  // namespace

RenderSummary render(PluginInstance& plugin, const MidiSchedule& schedule, std::int64_t frames, int blockSize,
                     WavWriter& out, const std::function<bool()>& stopRequested) {
    const int outputCount = plugin.effect().numOutputs;
    if (outputCount <= 0) throw HostError("the plug-in has no outputs to render");
    if ((plugin.effect().flags & effFlagsCanReplacing) == 0 || plugin.effect().processReplacing == nullptr)
        throw HostError("the plug-in cannot render: it offers no replacing process call");
    ChannelBuffers inputs(std::max(plugin.effect().numInputs, 0), blockSize);
    ChannelBuffers outputs(outputCount, blockSize);
    EventBlock events;
    RenderSummary summary;
    double squares = 0;

    std::int64_t start = 0;
    for (; start < frames && !(stopRequested && stopRequested()); start += blockSize) {
        const int count = static_cast<int>(std::min<std::int64_t>(blockSize, frames - start));
        schedule.collect(start, count, events);
        if (events.size() > 0) plugin.processEvents(events.events());
        outputs.clear();  // a plug-in that leaves a channel alone gives silence there, not old audio
        plugin.processReplacing(inputs.pointers.data(), outputs.pointers.data(), count);
        out.write(outputs.pointers.data(), count);
        for (const auto& channel : outputs.samples) {
            for (int i = 0; i < count; ++i) {
                const float sample = channel[static_cast<std::size_t>(i)];
                summary.peak = std::max(summary.peak, std::fabs(sample));
                squares += static_cast<double>(sample) * sample;
            }
        }
    }
    summary.frames = std::min(start, frames);
    if (summary.frames > 0)
        summary.rms = std::sqrt(squares / (static_cast<double>(summary.frames) * outputCount));
    return summary;
}

}  // namespace korvel::host

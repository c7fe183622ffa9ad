#pragma once

#include "MidiSchedule.h"
#include "PluginInstance.h"
#include "WavWriter.h"

#include <cstdint>
#include <functional>

namespace korvel::host {

struct RenderSummary {
    std::int64_t frames = 0;  // rendered, fewer than asked for when stopped
    float peak = 0;   // largest magnitude over all channels
    double rms = 0;   // over all channels
};

// Runs the resumed plug-in for frames frames in blocks of blockSize, sending each block's
// MIDI messages before processing it, and writes its outputs (silent inputs) to out. Stops
// before a block when stopRequested (if given) says so.
// Throws HostError for a plug-in without outputs or without replacing processing.
RenderSummary render(PluginInstance& plugin, const MidiSchedule& schedule, std::int64_t frames, int blockSize,
                     WavWriter& out, const std::function<bool()>& stopRequested = {});

}  // namespace korvel::host

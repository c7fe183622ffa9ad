#include "plugin/RaisedCosineFade.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvel {

namespace {

void scaleFrame(float** channels, int frame, double gain) {
    channels[0][frame] = static_cast<float>(channels[0][frame] * gain);
    channels[1][frame] = static_cast<float>(channels[1][frame] * gain);
}

}  // namespace

void fadeInBlockStart(float** channels, int frames) {
    const int n = std::min(frames, FADE_FRAMES);
    if (n <= 0) return;
    const double step = std::numbers::pi / n;
    for (int i = 0; i < n; ++i) scaleFrame(channels, i, 0.5 - 0.5 * std::cos(step * i));
}

void fadeOutBlockEnd(float** channels, int frames) {
    const int n = std::min(frames, FADE_FRAMES);
    if (n <= 0) return;
    const double step = std::numbers::pi / n;
    double x = step;
    for (int frame = frames - n; frame < frames; ++frame) {
        scaleFrame(channels, frame, 0.5 + 0.5 * std::cos(x));
        x -= step;
    }
}

}  // namespace korvel

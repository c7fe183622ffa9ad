#pragma once

namespace korvel {

// Short raised-cosine ramps over a stereo block, so that starting and stopping
// the sound gives no click. Both touch at most FADE_FRAMES frames of
// channels[0] and channels[1]. Audio thread; no allocation.
constexpr int FADE_FRAMES = 64;

// Rises from silence over the first min(frames, FADE_FRAMES) frames; the frame
// after them, like the rest of the block, keeps its full level.
void fadeInBlockStart(float** channels, int frames);

// Falls over the last min(frames, FADE_FRAMES) frames toward silence; the
// frames before them keep their level.
void fadeOutBlockEnd(float** channels, int frames);

}  // namespace korvel

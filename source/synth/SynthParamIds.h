#pragma once

// Ids of the live parameters that code refers to by name.
namespace korvel::veldro::param_id {

constexpr int SOUND_START = 0;
constexpr int SOUND_END = 1;
constexpr int PLAY_RATE = 2;
constexpr int PLAY_POSITION = 3;
constexpr int GRAIN_RATE = 4;
constexpr int GRAIN_LENGTH = 5;
constexpr int GRAIN_DENSITY = 6;
constexpr int GRAIN_ATTACK = 9;
constexpr int GRAIN_DECAY = 10;
// Envelope points: id = first + 3 * point + field (0 delta, 1 level, 2 curve).
constexpr int ADSR1_FIRST = 25;
constexpr int ADSR2_FIRST = 40;
constexpr int ENVELOPE_POINTS = 5;
constexpr int ENVELOPE_LAST = 54;
// Parameters above this one do not glide.
constexpr int LAST_GLIDING = 54;
constexpr int CHANGE_TIME = 56;
constexpr int DENSITY_COMPENSATION = 57;
constexpr int PATCH_RANDOM = 58;
constexpr int PATCH_SOUNDFILE = 59;
constexpr int PATCH_CONTROLS = 60;
constexpr int PATCH_GLOBALS = 61;

} // namespace korvel::veldro::param_id

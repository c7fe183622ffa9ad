#pragma once

#include <cstdint>

// A sound pack's load state. 6 to 10 are final; only READY packs are played,
// drawn or analysed further.
namespace audio::LoadState {

inline constexpr std::int32_t EMPTY = 0;            // placeholder, nothing started
inline constexpr std::int32_t STARTED = 1;          // load started
inline constexpr std::int32_t READING = 2;          // file found, samples being read
inline constexpr std::int32_t AMPLITUDE = 3;        // computing the amplitude track
inline constexpr std::int32_t PEAKS = 4;            // computing the peaks track
inline constexpr std::int32_t NOISINESS = 5;        // computing the noisiness track
inline constexpr std::int32_t NOT_FOUND = 6;        // file not found
inline constexpr std::int32_t FOLDER_NOT_FOUND = 7; // file and its folder not found
inline constexpr std::int32_t NO_FRAMES = 8;        // no known container, or nothing decodable
inline constexpr std::int32_t FAILED = 9;           // reading or analysing threw
inline constexpr std::int32_t READY = 10;

constexpr bool isFinal(std::int32_t state) { return state >= NOT_FOUND && state <= READY; }

} // namespace audio::LoadState

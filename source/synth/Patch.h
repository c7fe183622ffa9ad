#pragma once

#include "synth/ParamPatch.h"

#include <array>
#include <string>

namespace korvel::veldro {

// One patch slot: the sound file it was stored with and the stored form of
// parameters 0..61. Record 55 ("timestamp") holds the store time in seconds
// since 1970; 0 marks an empty slot.
struct Patch {
    static constexpr int NOF_PARAMS = 62;
    static constexpr int TIMESTAMP = 55;

    std::wstring soundfile;
    std::array<ParamPatch, NOF_PARAMS> params{};

    bool isEmpty() const { return params[TIMESTAMP].value == 0.0; }
    double storeTime() const { return params[TIMESTAMP].value; }

    bool operator==(const Patch&) const = default;
};

} // namespace korvel::veldro

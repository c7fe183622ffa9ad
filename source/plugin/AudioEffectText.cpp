#include "plugin/AudioEffect.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t displayWidth = 8;

void copyCut(const std::string& source, char* text, VstInt32 maxLen) {
    const std::size_t length = std::min(source.size(), static_cast<std::size_t>(std::max(maxLen, 0)));
    std::memcpy(text, source.data(), length);
    text[length] = 0;
}

}  // namespace

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen) {
    const double v = value;
    if (std::isnan(v)) {
        copyCut("NaN", text, maxLen);
        return;
    }
    if (v > 99999999.0 || v < -9999999.0) {
        copyCut("Huge!", text, maxLen);
        return;
    }
    const bool negative = v < 0;
    const double magnitude = std::fabs(v);
    const double whole = std::floor(magnitude);
    std::string digits = std::to_string(static_cast<std::int64_t>(whole));
    // Sign and point take their places first; the integer part loses its leading digits.
    const std::size_t digitRoom = displayWidth - 1 - (negative ? 1 : 0);
    if (digits.size() > digitRoom) digits.erase(0, digits.size() - digitRoom);

    std::string result = negative ? "-" : "";
    result += digits;
    result += '.';
    const double fraction = magnitude - whole;
    double scale = 1.0;
    while (result.size() < displayWidth) {
        scale *= 10.0;
        // Digits are cut, never rounded: 0.7f shows as 0.699999.
        result += static_cast<char>('0' + static_cast<int>(std::fmod(std::floor(fraction * scale), 10.0)));
    }
    copyCut(result, text, maxLen);
}

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen) {
    if (value >= 100000000) {
        copyCut("Huge!", text, maxLen);
        return;
    }
    copyCut(std::to_string(value), text, maxLen);
}

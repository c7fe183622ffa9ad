#pragma once

#include <cstddef>
#include <string>

// Short texts of parameter values for knobs, sliders and displays. Formatting
// writes into a caller's buffer of the given size, truncating the text to fit
// (always terminated), and returns the number of characters written. Callers
// are the editor's (GUI) thread; nothing here keeps shared state.
namespace korvel::veldro {

class ValueFormat {
public:
    // How the value enters the text.
    static constexpr int MODE_TEXT = 0;        // no conversion in the format
    static constexpr int MODE_PLAIN = 1;       // printf(format, value)
    static constexpr int MODE_ADAPTIVE = 2;    // printf(format, precision, value), ".*" in the format
    static constexpr int MODE_TIME = -3;       // label, then the value as a duration in ms
    static constexpr int MODE_PLAY_RATE = -4;  // label, then the value as a play rate

    // A format of null counts as empty.
    explicit ValueFormat(const char* format = "", int precision = 2);

    // A precision of -4..-1 selects that mode with the format as label and
    // keeps the precision; otherwise the mode comes from the format.
    void set(const std::string& format, int precision);

    int format(char* buffer, std::size_t size, double value) const;
    template <std::size_t N>
    int format(char (&buffer)[N], double value) const {
        return format(buffer, N, value);
    }

    std::string format_text; // printf format, or the label of the time and play-rate modes
    int precision = 2;
    int mode = MODE_TEXT;
};

// A duration as "12.50 ms", "220.5 smps" (short times, when sampleRate > 1000),
// "1.50 s", "1:30.00" or "1:2:3.00".
int formatTime(char* buffer, std::size_t size, double ms, double sampleRate);
template <std::size_t N>
int formatTime(char (&buffer)[N], double ms, double sampleRate) {
    return formatTime(buffer, N, ms, sampleRate);
}

} // namespace korvel::veldro

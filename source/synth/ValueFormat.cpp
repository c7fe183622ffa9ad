#include "synth/ValueFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace korvel::veldro {
namespace {

// Appends printf pieces to a fixed buffer, cutting off what does not fit.
class BoundedText {
public:
    BoundedText(char* buffer, std::size_t size) : buffer(buffer), size(size) {
        if (size > 0)
            buffer[0] = '\0';
    }

    __attribute__((format(printf, 2, 3))) void print(const char* format, ...) {
        if (length + 1 >= size)
            return;
        va_list args;
        va_start(args, format);
        const int wanted = std::vsnprintf(buffer + length, size - length, format, args);
        va_end(args);
        if (wanted > 0)
            length = std::min(length + static_cast<std::size_t>(wanted), size - 1);
    }

    int written() const { return static_cast<int>(length); }

private:
    char* buffer;
    std::size_t size;
    std::size_t length = 0;
};

void appendTime(BoundedText& out, double ms, double sampleRate) {
    const double magnitude = std::abs(ms);
    if (magnitude < 250.0) {
        int digits = 1;
        if (magnitude > 0.0 && magnitude < 25.0)
            digits = 2;
        if (magnitude > 0.0 && magnitude < 10.0) {
            if (sampleRate > 1000.0) {
                out.print("%.*f%s", 1, ms * sampleRate * 0.001, " smps");
                return;
            }
            digits = 3;
        }
        out.print("%.*f%s", digits, ms, " ms");
        return;
    }
    const char* unit = " s";
    double rest = ms;
    if (rest > 3600000.0) {
        const double hours = std::floor(rest / 3600000.0);
        out.print("%.0f:", hours);
        rest -= hours * 3600000.0;
        unit = "";
    }
    if (rest > 60000.0) {
        const double minutes = std::floor(rest / 60000.0);
        out.print("%.0f:", minutes);
        rest -= minutes * 60000.0;
        unit = "";
    }
    out.print("%.*f%s", 2, rest * 0.001, unit);
}

// Nearest whole number of hundredths or tenths, halves away from zero.
double hundredths(double scaled) { return std::round(scaled) / 100.0; }
double tenths(double scaled) { return std::round(scaled) / 10.0; }

void appendPlayRate(BoundedText& out, double rate) {
    const double magnitude = std::abs(rate);
    if (magnitude < 1.0 / 48.0)
        out.print("%.4f rate", rate * 6.0);
    else if (magnitude < 1.0)
        out.print("%+.2f semis", hundredths(std::log2(magnitude) * 1200.0));
    else if (magnitude < 13.0)
        out.print("%+.2f semis", hundredths((magnitude - 1.0) * 100.0));
    else
        out.print("%+.1f semis", tenths((magnitude - 1.0) * 10.0));
    if (rate < 0.0)
        out.print(", reverse");
}

// Fewer digits for large values, more for small ones.
int adaptivePrecision(int precision, double value) {
    const double magnitude = std::abs(value);
    int digits = precision + (magnitude < 2.0 ? 1 : 0);
    if (magnitude < 0.2)
        digits += 1;
    else if (magnitude >= 200.0)
        digits -= 2;
    else if (magnitude >= 20.0)
        digits -= 1;
    return std::max(digits, 0);
}

int detectMode(const std::string& format) {
    const auto percent = format.find('%');
    if (percent == std::string::npos)
        return ValueFormat::MODE_TEXT;
    if (format.size() >= 2) {
        const auto star = format.find(".*");
        if (star != std::string::npos && star > percent && star - percent <= 3)
            return ValueFormat::MODE_ADAPTIVE;
    }
    return ValueFormat::MODE_PLAIN;
}

} // namespace

ValueFormat::ValueFormat(const char* format, int precision) { set(format ? format : "", precision); }

void ValueFormat::set(const std::string& format, int newPrecision) {
    format_text = format;
    if (newPrecision > -5 && newPrecision < 0) {
        mode = newPrecision;
        return;
    }
    if (const int detected = detectMode(format); detected != MODE_TEXT)
        mode = detected;
    precision = newPrecision;
}

int ValueFormat::format(char* buffer, std::size_t size, double value) const {
    BoundedText out(buffer, size);
    switch (mode) {
    case MODE_TIME:
        out.print("%s ", format_text.c_str());
        appendTime(out, value, 0.0);
        break;
    case MODE_PLAY_RATE:
        out.print("%s ", format_text.c_str());
        appendPlayRate(out, value);
        break;
    case MODE_ADAPTIVE:
        out.print(format_text.c_str(), adaptivePrecision(precision, value), value);
        break;
    default:
        out.print(format_text.c_str(), value);
        break;
    }
    return out.written();
}

int formatTime(char* buffer, std::size_t size, double ms, double sampleRate) {
    BoundedText out(buffer, size);
    appendTime(out, ms, sampleRate);
    return out.written();
}

} // namespace korvel::veldro

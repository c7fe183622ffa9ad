#include "synth/ValueFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace korvel::veldro;

namespace {

std::string show(const ValueFormat& format, double value) {
    char buffer[64];
    const int length = format.format(buffer, value);
    EXPECT_EQ(length, static_cast<int>(std::strlen(buffer)));
    return buffer;
}

std::string time(double ms, double sampleRate) {
    char buffer[64];
    const int length = formatTime(buffer, ms, sampleRate);
    EXPECT_EQ(length, static_cast<int>(std::strlen(buffer)));
    return buffer;
}

struct TimeCase {
    double ms;
    double sampleRate;
    const char* text;
};

TEST(FormatTime, DurationTexts) {
    const std::vector<TimeCase> cases = {
        {0, 0, "0.0 ms"},           {12.5, 0, "12.50 ms"},       {5, 44100, "220.5 smps"},
        {5, 0, "5.000 ms"},         {5, 1000, "5.000 ms"},       {24.99, 44100, "24.99 ms"},
        {100, 0, "100.0 ms"},       {-5, 0, "-5.000 ms"},        {249.9, 0, "249.9 ms"},
        {250, 0, "0.25 s"},         {1500, 0, "1.50 s"},         {60000, 0, "60.00 s"},
        {90000, 0, "1:30.00"},      {3723000, 0, "1:2:3.00"},    {3630000, 0, "1:30.00"},
        {-1500, 0, "-1.50 s"},
    };
    for (const TimeCase& c : cases)
        EXPECT_EQ(time(c.ms, c.sampleRate), c.text) << c.ms << " ms at " << c.sampleRate;
}

struct FormatCase {
    const char* format;
    int precision;
    double value;
    const char* text;
};

TEST(ValueFormat, TextsTheEditorShows) {
    const std::vector<FormatCase> cases = {
        {"%.*f", 1, 0.1, "0.100"},
        {"%.*f", 1, 1.5, "1.50"},
        {"%.*f", 1, 5, "5.0"},
        {"%.*f", 1, 50, "50"},
        {"%.*f", 1, 500, "500"},
        {"%.*f", 1, -0.1, "-0.100"},
        {"rate %.*f / s", 2, 12.345, "rate 12.35 / s"},
        {"play-rate %.*f", 2, 0.5, "play-rate 0.500"},
        {"gliss %.*f semi", 2, 24, "gliss 24.0 semi"},
        {"time %.*f s", 2, 300, "time 300 s"},
        {"density %.*f", 1, 0.05, "density 0.050"},
        {"filter %.2f", 2, 1200, "filter 1200.00"},
        {"dist boost %.1f", 2, 30, "dist boost 30.0"},
        {"rate", -4, 3, "rate +2.00 semis"},
        {"rate", -4, 0.5, "rate -12.00 semis"},
        {"rate", -4, -2, "rate +1.00 semis, reverse"},
        {"rate", -4, 20, "rate +19.0 semis"},
        {"rate", -4, 1, "rate +0.00 semis"},
        {"rate", -4, 0.01, "rate 0.0600 rate"},
        {"rate", -4, 0.25021670235951177, "rate -23.98 semis"}, // rounded from log2(rate) x 1200 as it stands
        {"rate", -4, -0.01, "rate -0.0600 rate, reverse"},
        {"len", -3, 1500, "len 1.50 s"},
        {"len", -3, 5, "len 5.000 ms"},
        {"plain text", 2, 7, "plain text"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(show(ValueFormat(c.format, c.precision), c.value), c.text) << c.format << " of " << c.value;
}

struct ModeCase {
    const char* format;
    int mode;
};

TEST(ValueFormat, ModeComesFromTheFormat) {
    const std::vector<ModeCase> cases = {
        {"", ValueFormat::MODE_TEXT},           {"abc", ValueFormat::MODE_TEXT},
        {"%f", ValueFormat::MODE_PLAIN},         {"%", ValueFormat::MODE_PLAIN},
        {"%.*f", ValueFormat::MODE_ADAPTIVE},    {"x %+5.*f", ValueFormat::MODE_ADAPTIVE},
        {"%+10.*f", ValueFormat::MODE_PLAIN},    {".* %f", ValueFormat::MODE_PLAIN},
    };
    for (const ModeCase& c : cases)
        EXPECT_EQ(ValueFormat(c.format, 2).mode, c.mode) << c.format;
}

TEST(ValueFormat, SetKeepsModeForPlainTextAndPrecisionForSpecialModes) {
    ValueFormat format("%.1f", 3);
    format.set("label", 4);
    EXPECT_EQ(format.mode, ValueFormat::MODE_PLAIN); // no conversion: mode kept
    EXPECT_EQ(format.precision, 4);
    format.set("len", -3);
    EXPECT_EQ(format.mode, ValueFormat::MODE_TIME);
    EXPECT_EQ(format.precision, 4);
    EXPECT_EQ(format.format_text, "len");
    format.set("%.2f", -5);
    EXPECT_EQ(format.mode, ValueFormat::MODE_PLAIN);
    EXPECT_EQ(format.precision, -5);
    EXPECT_EQ(ValueFormat(nullptr, 2).format_text, "");
}

TEST(ValueFormat, TruncatesToTheBuffer) {
    const ValueFormat format("rate", -4);
    char small[8];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(format.format(small, -2), 7);
    EXPECT_STREQ(small, "rate +1");

    char one[1] = {'x'};
    EXPECT_EQ(format.format(one, 1, 3.0), 0);
    EXPECT_EQ(one[0], '\0');
    EXPECT_EQ(format.format(nullptr, 0, 3.0), 0);

    char tiny[6];
    EXPECT_EQ(formatTime(tiny, 3723000, 0), 5);
    EXPECT_STREQ(tiny, "1:2:3");
}

} // namespace

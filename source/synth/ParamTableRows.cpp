#include "synth/ParamTableRows.h"

#include <string>

namespace korvel::veldro {
namespace {

constexpr int FIRST_ENVELOPE_PARAM = 25;
constexpr int NOF_ENVELOPE_POINTS = 5;
constexpr int ENVELOPE_POINT_FIELDS = 3; // delta, level, curve

// Per point: adsr1 delta, adsr1 level, adsr2 delta, adsr2 level.
constexpr double ENVELOPE_DEFAULTS[NOF_ENVELOPE_POINTS][4] = {
    {0.0, 0.0, 0.0, 0.0},
    {12.5, 1.0, 800.0, 1.0},
    {100.0, 0.8, 2700.0, 0.4},
    {2700.0, 0.8, 800.0, 0.4},
    {100000.0, 0.0, 100000.0, 0.0},
};

double envelopeDeltaMax(int point) {
    if (point == 0)
        return 0.0;
    return point == NOF_ENVELOPE_POINTS - 1 ? 100000.0 : 10000.0;
}

void addEnvelopeRows(std::vector<ParamInfo>& rows) {
    for (int envelope = 0; envelope < 2; ++envelope)
        for (int point = 0; point < NOF_ENVELOPE_POINTS; ++point) {
            const int id = FIRST_ENVELOPE_PARAM + 15 * envelope + ENVELOPE_POINT_FIELDS * point;
            const std::string prefix = "adsr" + std::to_string(envelope + 1) + ".points." + std::to_string(point) + ".";
            const double* defaults = &ENVELOPE_DEFAULTS[point][2 * envelope];
            rows.emplace_back(id, (prefix + "delta").c_str(), "millis",
                              ParamRange{defaults[0], 0.0, envelopeDeltaMax(point), 3}, GROUP_ENVELOPE);
            rows.emplace_back(id + 1, (prefix + "level").c_str(), "rate", ParamRange{defaults[1], 0.0, 1.0, 3},
                              GROUP_ENVELOPE);
            rows.emplace_back(id + 2, (prefix + "curve").c_str(), "n/a", ParamRange{0.0, -1.0, 1.0, 0}, GROUP_ENVELOPE);
        }
}

} // namespace

std::vector<ParamInfo> makeTableRows() {
    constexpr std::uint32_t EFFECTS = GROUP_GRAIN | GROUP_EFFECTS;
    std::vector<ParamInfo> rows;
    rows.reserve(67);
    rows.emplace_back(0, "sound.start", "samples", ParamRange{0, 0, 0, 10}, GROUP_SOUND);
    rows.emplace_back(1, "sound.end", "samples", ParamRange{0, 0, 0, 10}, GROUP_SOUND);
    rows.emplace_back(2, "sound.play_rate", "rate", ParamRange{1, -25, 25, 1002}, GROUP_GRAIN, 2, 63);
    rows.emplace_back(3, "sound.play_position", "n/a", ParamRange{0, 0, 0, 0}, GROUP_GRAIN, 2, 73);
    rows.emplace_back(4, "grain.rate", "sec", ParamRange{20, 1.0 / 60.0, 2000, 3}, GROUP_GRAIN, 2, 83);
    rows.emplace_back(5, "grain.length", "ms", ParamRange{100, 0.1, 10000, 3}, GROUP_GRAIN, 2, 93);
    rows.emplace_back(7, "grain.freq", "semis", ParamRange{1, -37, 37, 1007}, GROUP_GRAIN, 2, 103);
    rows.emplace_back(8, "grain.gliss", "semis", ParamRange{0, -25, 25, 3}, GROUP_GRAIN, 2, 113);
    rows.emplace_back(9, "grain.attack", "%", ParamRange{0.5, 0, 1, 1}, GROUP_GRAIN, 1, 123);
    rows.emplace_back(10, "grain.decay", "%", ParamRange{0.5, 0, 1, 1}, GROUP_GRAIN, 1, 128);
    rows.emplace_back(11, "grain.amp", "%", ParamRange{0.93, 0, 3, 3}, GROUP_GRAIN, 1, 133);
    rows.emplace_back(12, "grain.pan", "%", ParamRange{0, -1, 1, 1}, GROUP_GRAIN, 1, 138);
    rows.emplace_back(13, "dist.clip", "mult", ParamRange{0, -30, 30, 3}, EFFECTS, 1, 143);
    rows.emplace_back(14, "dist.bitcrush", "bits", ParamRange{14, 0, 14, -1}, EFFECTS, 1, 148);
    rows.emplace_back(15, "dist.tone", "%", ParamRange{50, 0, 100, 3}, EFFECTS);
    rows.emplace_back(16, "filter.freq", "herz", ParamRange{1200, 50, 8000, 3}, EFFECTS, 1, 153);
    rows.emplace_back(17, "filter.width", "Q", ParamRange{0.5, 0, 1, 1}, EFFECTS);
    rows.emplace_back(18, "filter.low", "rate", ParamRange{0, 0, 1, 3}, EFFECTS, 1, 158);
    rows.emplace_back(19, "filter.mid", "rate", ParamRange{0, 0, 1, 3}, EFFECTS);
    rows.emplace_back(20, "filter.high", "rate", ParamRange{0, 0, 1, 3}, EFFECTS);
    rows.emplace_back(21, "filter2.freq", "herz", ParamRange{1200, 50, 10000, 3}, EFFECTS);
    rows.emplace_back(22, "filter2.width", "Q", ParamRange{0.5, 0, 1, 1}, EFFECTS);
    rows.emplace_back(23, "delay.time", "millis", ParamRange{0, 0, 10000, 3}, EFFECTS, 1, 163);
    rows.emplace_back(24, "delay.feedback", "rate", ParamRange{0, -1, 1, 1}, EFFECTS, 1, 168);
    addEnvelopeRows(rows);
    rows.emplace_back(55, "timestamp", "epoch", ParamRange{0, 1500000000, 100000000000, 0}, 0);
    rows.emplace_back(56, "apply.changetime", "secs", ParamRange{1, 0, 600, 3}, GROUP_GLOBALS);
    rows.emplace_back(57, "density.compensation", "rate", ParamRange{1, 0, 2, 1}, GROUP_GLOBALS);
    rows.emplace_back(58, "apply.patch_random", "rate", ParamRange{0, 0, 1, 1}, GROUP_GLOBALS);
    rows.emplace_back(59, "apply.patch_soundfile", "y/n", ParamRange{1, 0, 1, 20}, GROUP_GLOBALS);
    rows.emplace_back(60, "apply.patch_controls", "y/n", ParamRange{1, 0, 1, 20}, GROUP_GLOBALS);
    rows.emplace_back(61, "apply.patch_globals", "y/n", ParamRange{0, 0, 1, 20}, GROUP_GLOBALS);
    rows.emplace_back(62, "soundfile", "name", ParamRange{0, 0, 0, 0}, GROUP_SOUND);
    rows.emplace_back(6, "grain.density", "n/a", ParamRange{0, 0, 2000, 0}, 0);
    rows.emplace_back(174, "patch_drop", "n/a", ParamRange{0, 0, 0, 0}, 0);
    rows.emplace_back(175, "tooltips", "on/off", ParamRange{0, 0, 1, 20}, 0);
    rows.emplace_back(176, "start/stop", "on/off", ParamRange{1, 0, 1, 20}, 0);
    rows.emplace_back(177, "record_clip", "on/off", ParamRange{0, 0, 1, 20}, 0);
    return rows;
}

} // namespace korvel::veldro

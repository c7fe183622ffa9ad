#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "synth/Synth.h"
#include "synth/SynthParamIds.h"
#include "synth/dsp/Shaping.h"
#include "synth/engine/SoundFrames.h"

#include <algorithm>
#include <cmath>

namespace korvel::veldro {

namespace {

// Parameters a grain takes its settings from, beyond the shared id list.
constexpr int GRAIN_FREQ = 7;
constexpr int GRAIN_GLISS = 8;
constexpr int GRAIN_AMP = 11;
constexpr int GRAIN_PAN = 12;
constexpr int DIST_CLIP = 13;
constexpr int DIST_BITCRUSH = 14;
constexpr int DIST_TONE = 15;
constexpr int FILTER_FREQ = 16;
constexpr int FILTER_WIDTH = 17;
constexpr int FILTER_LOW = 18;
constexpr int FILTER_MID = 19;
constexpr int FILTER_HIGH = 20;
constexpr int FILTER2_FREQ = 21;
constexpr int FILTER2_WIDTH = 22;
constexpr int DELAY_TIME = 23;
constexpr int DELAY_FEEDBACK = 24;

constexpr int ALL_CONTROLS = -1;
constexpr int FIRST_CONTROL = 0;

// std::clamp, except that NaN gives lo and hi < lo gives lo: settings made
// from modulated values must stay usable whatever the controllers say.
double clampTo(double x, double lo, double hi)
{
    return std::max(lo, std::min(x, hi));
}

struct Drive {
    double drive;
    double loudness;
};

Drive driveFrom(double clip)
{
    const double c = clampTo(clip, -29.0, 29.0);
    if (std::fabs(c) <= 0.05)
        return {0.0, 1.0};
    return {c > 0.0 ? c + 1.0 : c - 1.0, clampTo(1.0 - 0.5 * std::fabs(c), 0.666, 1.0)};
}

// Length in frames from "grain.length" (ms) and its modulation; short grains
// get 5 ms more.
int lengthFrames(double v, double m, double sampleRate)
{
    double x;
    if (m < 0.0)
        x = 1.5 * m * v;
    else if (v < 100.0)
        x = ((100.0 - v) + 10.0 * v) * m + 5.0;
    else
        x = (15.0 - 1.5 * m) * v * m;
    return static_cast<int>(clampTo((v + x) * sampleRate * 0.001, 32.0, 10.0 * sampleRate));
}

// Speed ratio from "grain.freq": below 1/48 a direct ratio, below 1 a ratio
// rounded to semitones, from 1 on semitones above 1; negative plays backwards.
double speedRatio(double v, double m, bool keyboard, double noteOffset)
{
    const double a = std::fabs(v);
    const bool direct = a < 1.0 / 48.0;
    double s = direct ? a : a < 1.0 ? std::round(12.0 * std::log2(a)) : a - 1.0;
    if (keyboard)
        s += direct ? noteOffset * 0.01 : noteOffset;
    if (direct)
        s += 0.25 * m;
    else
        s = std::round(100.0 * s) / 100.0 + 36.0 * m;
    s = clampTo(s, -60.0, 60.0);
    const double ratio = direct ? s : std::exp2(s / 12.0);
    return v < 0.0 ? -ratio : ratio;
}

} // namespace

void Synth::spawnGrain()
{
    const audio::SoundPack* sound = sounds.current();
    const int frames = soundFrames(sound);
    if (frames == 0 || sound->state() != audio::LoadState::READY || sound->channels() == 0)
        return;
    Grain* grain = grains.takeFree();
    if (!grain)
        return;
    const double sr = renderRate;
    auto P = [&](int id) { return params.getParam(id).first; };
    auto M = [&](int id, int k) { return params.getModulation(id, k).second; };

    // Start position: spread around the play head within the selection.
    int s = frameWithin(P(param_id::SOUND_START), frames);
    const int e = std::min(selectionEnd(P(param_id::SOUND_END), frames), endFrame);
    if (s > e - 32)
        s = 0;
    const double spread = M(param_id::PLAY_POSITION, ALL_CONTROLS);
    double position = wrapRange(0.5 * spread * spread * spread * (e - s) + std::floor(playPosition), s, e);
    if (!(position >= 0.0 && position <= frames))
        position = s;

    const auto [lengthValue, lengthModulation] = params.getModulation(param_id::GRAIN_LENGTH, ALL_CONTROLS);
    const int length = lengthFrames(lengthValue, lengthModulation, sr);

    const auto [freq, freqModulation] = params.getModulation(GRAIN_FREQ, ALL_CONTROLS);
    const double increment = speedRatio(freq, freqModulation, midi.keyboardMode, midi.noteOffset()) *
                             sound->format().sampleRate / sr;

    const auto [gliss, glissModulation] = params.getModulation(GRAIN_GLISS, ALL_CONTROLS);
    const double glide = gliss + 12.0 * glissModulation + gliss * glissModulation;

    const auto [attack, attackModulation] = params.getModulation(param_id::GRAIN_ATTACK, ALL_CONTROLS);
    const int attackEnd = static_cast<int>(clampTo((attack + 0.5 * attackModulation) * length, 16.0, length - 16.0));
    const auto [decay, decayModulation] = params.getModulation(param_id::GRAIN_DECAY, ALL_CONTROLS);
    const int decayStart = static_cast<int>(
        clampTo(length - (decay + 0.5 * decayModulation) * length, attackEnd, length - 16.0));

    const Drive drive = driveFrom(P(DIST_CLIP) + 30.0 * M(DIST_CLIP, FIRST_CONTROL));

    const double amp = P(GRAIN_AMP);
    const double ampModulation = M(GRAIN_AMP, FIRST_CONTROL);
    const double pan = wrapRange(0.5 * (P(GRAIN_PAN) + M(GRAIN_PAN, FIRST_CONTROL)) + 0.5, 0.0, 1.0);
    const double rawGain = amp + 0.25 * ampModulation + 0.5 * amp * ampModulation;
    // Density compensation: many overlapping grains are turned down.
    double compensation = P(param_id::DENSITY_COMPENSATION);
    const double density = params.getDensity();
    if (density > 1.0 && compensation > 1.0)
        compensation = compensation * compensation * compensation;
    const double norm = 1.0 / std::sqrt(std::max(1.0, compensation * density));
    const double gain = clampTo(norm * rawGain, 1e-5, std::min(3.0, 3.0 * amp)) * drive.loudness;

    const double tone = clampTo(P(DIST_TONE) / 100.0 + 0.7 * M(DIST_BITCRUSH, FIRST_CONTROL), 0.0, 1.0);
    double bits = clampTo(P(DIST_BITCRUSH) - 15.0 * M(DIST_BITCRUSH, FIRST_CONTROL), 0.0, 14.0);
    if (drive.drive != 0.0)
        bits += std::log(0.2 * std::fabs(drive.drive));

    double lo = P(FILTER_LOW);
    double mid = P(FILTER_MID);
    double hi = P(FILTER_HIGH);
    const double mixModulation = M(FILTER_LOW, FIRST_CONTROL);
    const bool filtering = mixModulation != 0.0 || lo + mid + hi != 0.0;
    double f1 = 0.0, f2 = 0.0, w1 = 0.0, w2 = 0.0;
    if (filtering) {
        lo += mixModulation;
        mid += mixModulation;
        hi += mixModulation;
        const double freqShift = M(FILTER_FREQ, FIRST_CONTROL);
        f1 = P(FILTER_FREQ) * (1.0 + freqShift);
        f2 = P(FILTER2_FREQ) + f1 * freqShift;
        w1 = P(FILTER_WIDTH) + freqShift;
        w2 = P(FILTER2_WIDTH) + freqShift;
    }

    const double delayTime = P(DELAY_TIME);
    const double delayModulation = M(DELAY_TIME, FIRST_CONTROL);
    const double feedback = P(DELAY_FEEDBACK) + M(DELAY_FEEDBACK, FIRST_CONTROL);
    const double modulatedTime =
        delayTime + delayModulation * (delayModulation > 0.0 ? std::max(1000.0, delayTime) : delayTime);

    grain->next = nullptr;
    grain->sound = sounds.addGrain();
    grain->samples = sound->samples().data();
    grain->channels = static_cast<int>(sound->channels());
    grain->soundFrames = frames;
    grain->position = position;
    grain->increment = increment;
    grain->incrementDelta = (std::exp2(glide / 12.0) * increment - increment) / length;
    grain->envelope.start(length, attackEnd, decayStart);
    const PanGains gains = equalPowerPan(pan, gain);
    grain->gainL = gains.left;
    grain->gainR = gains.right;
    grain->distortion.shaper.drive = drive.drive;
    grain->distortion.setTone(tone);
    grain->distortion.left.setup(bits, tone);
    grain->distortion.right.setup(bits, tone);
    for (Filter* filter : {&grain->filterL, &grain->filterR}) {
        if (filtering) {
            filter->section1.setFreqQ(f1 / sr, w1);
            filter->section2.setFreqQ(f2 / sr, w2);
        }
        filter->setMix(lo, mid, hi, sr);
    }
    grain->tap.setupTap(&output, modulatedTime * 0.001 * sr, feedback, feedback * norm);
    grain->chooseStages();
    grains.activate(grain);
}

} // namespace korvel::veldro

#pragma once

#include "synth/loading/ISlotSoundLoader.h"
#include "synth/params/FakeEngine.h"
#include "synth/params/RecordingListener.h"
#include "support/TempDir.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvel::test {

// Parameters the patch tests move, one of each group.
namespace patch_ids {
constexpr int SOUND_END = 1;
constexpr int GRAIN_RATE = 4;
constexpr int RATE_CONTROL_TYPE = 83, RATE_CONTROL_AMOUNT = 84;
constexpr int FILTER_FREQ = 16;
constexpr int ENVELOPE_LEVEL = 26;
constexpr int CHANGE_TIME = 56, DENSITY_COMPENSATION = 57, PATCH_RANDOM = 58;
constexpr int PATCH_SOUNDFILE = 59, PATCH_CONTROLS = 60, PATCH_GLOBALS = 61;
constexpr double LFO = 3;
} // namespace patch_ids

// A loader that only notes what recalls ask of it.
struct RecordingSlotLoader : veldro::ISlotSoundLoader {
    struct Request {
        std::wstring path;
        int slot;
        double time;
        std::uint32_t mask;
        bool operator==(const Request&) const = default;
    };
    void loadSlotSound(const std::wstring& path, int slot, double time, std::uint32_t mask,
                       std::uint64_t request) override
    {
        requests.push_back({path, slot, time, mask});
        numbers.push_back(request);
    }
    std::vector<Request> requests;
    std::vector<std::uint64_t> numbers;
};

// A parameter model with 130 empty slots, a listener for every group and a
// ready sound of SOUND_FRAMES frames that tests may make current.
class PatchRig {
public:
    static constexpr int SOUND_FRAMES = 1000;

    PatchRig();

    veldro::SynthParams& params() { return rig.params; }
    void set(int id, double v) { rig.params.setParam(id, v, 0.0); }
    double target(int id) const { return rig.params.getParam(id).second; }
    double current(int id) const { return rig.params.getParam(id).first; }
    void useSound() { rig.engine.sound = sound; }
    // Grain rate 80, filter 3000 Hz, envelope level 0.7, an LFO at 0.5 on
    // the grain rate and a change time of 5 s: none of them a default.
    void setNonDefaults();
    const std::wstring& soundName() const;

    testing_support::TempDir dir;
    ParamsRig rig;
    std::shared_ptr<audio::SoundPack> sound;
    RecordingSlotLoader loader;
    ChangeLog log;
    RecordingListener listener{2, 0x7F, log};
};

} // namespace korvel::test

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

// A loader that only notes what recalls ask of it.
struct RecordingSlotLoader : veldro::ISlotSoundLoader {
    struct Request {
        std::wstring path;
        int slot;
        double time;
        std::uint32_t mask;
        bool operator==(const Request&) const = default;
    };
    void loadSlotSound(const std::wstring& path, int slot, double time, std::uint32_t mask) override
    {
        requests.push_back({path, slot, time, mask});
    }
    std::vector<Request> requests;
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
    const std::wstring& soundName() const;

    testing_support::TempDir dir;
    ParamsRig rig;
    std::shared_ptr<audio::SoundPack> sound;
    RecordingSlotLoader loader;
    ChangeLog log;
    RecordingListener listener{2, 0x7F, log};
};

} // namespace korvel::test

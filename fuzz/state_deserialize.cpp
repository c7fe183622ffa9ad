// Arbitrary bytes as a state text (a host chunk or a state file): applying it
// must never crash; a text that does not read as a state must change nothing,
// and whatever state results must write a text that reads back as a state.

#include "QuietStderr.h"
#include "Require.h"

#include "patch/StateText.h"
#include "synth/ISynthEngine.h"
#include "synth/MidiState.h"
#include "synth/SynthParams.h"

#include <cstdint>
#include <memory>
#include <string>

namespace {

using namespace korvel::veldro;
using fuzz::require;

// The plug-in's slot count.
constexpr std::size_t SLOTS = 130;

class StoppedEngine : public ISynthEngine {
public:
    bool isEngineRunning() const override { return false; }
    double getPlayPosition() const override { return 0.0; }
    std::shared_ptr<const audio::SoundPack> getCurrentSound() const override { return nullptr; }
    double getSampleRate() const override { return 44100.0; }
    const MidiState& getMidiState() const override { return midi; }

private:
    MidiState midi;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietStderr();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    StoppedEngine engine;
    SynthParams params(engine);
    params.setPatchCount(SLOTS);
    const std::string before = serialize(params);

    const bool applied = deserialize(params, std::string(reinterpret_cast<const char*>(data), size));
    const std::string after = serialize(params);
    if (!applied)
        require(after == before);

    SynthParams reread(engine);
    reread.setPatchCount(SLOTS);
    require(deserialize(reread, after));
    return 0;
}

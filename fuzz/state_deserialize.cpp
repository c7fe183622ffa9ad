// Arbitrary bytes as a state text (a host chunk or a state file): applying it
// must never crash; a text that does not read as a state must change nothing,
// and whatever state results must write a text that reads back as a state.

#include "patch/StateText.h"
#include "synth/ISynthEngine.h"
#include "synth/MidiState.h"
#include "synth/SynthParams.h"

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <streambuf>
#include <string>

namespace {

using namespace korvel::veldro;

// The plug-in's slot count.
constexpr std::size_t SLOTS = 130;

class DiscardingBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
};

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

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The reader reports every parse error on stderr; keep the fuzzer's output readable.
    static DiscardingBuffer discard;
    std::cerr.rdbuf(&discard);
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

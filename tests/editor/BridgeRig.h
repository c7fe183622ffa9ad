#pragma once

#include "gui/TextSender.h"
#include "synth/ISynthEngine.h"
#include "synth/MidiState.h"
#include "synth/SynthParams.h"

#include <string>
#include <utility>
#include <vector>

namespace korvel::test {

// A parameter model on an engine whose run state the test sets, with the host reports recorded.
class BridgeRig : public veldro::ISynthEngine {
public:
    BridgeRig()
    {
        params.seedRandom(7);
        params.setHostNotify([this](int id, float value) { hostReports.emplace_back(id, value); });
    }

    bool isEngineRunning() const override { return running; }
    double getPlayPosition() const override { return 0.0; }
    std::shared_ptr<const audio::SoundPack> getCurrentSound() const override { return nullptr; }
    double getSampleRate() const override { return 44100.0; }
    const veldro::MidiState& getMidiState() const override { return midi; }

    double target(int id) const { return params.getParam(id).second; }
    double current(int id) const { return params.getParam(id).first; }

    bool running = false;
    veldro::MidiState midi;
    veldro::SynthParams params{*this};
    std::vector<std::pair<int, float>> hostReports;
};

// A status display that keeps what it was sent.
struct TextLog : gui::ITextReceiver {
    void receiveText(const VSTGUI::UTF8String& text, VSTGUI::CColor colour) override
    {
        texts.push_back(text.getString());
        colours.push_back(colour);
    }
    std::string last() const { return texts.empty() ? std::string() : texts.back(); }

    std::vector<std::string> texts;
    std::vector<VSTGUI::CColor> colours;
};

} // namespace korvel::test

#pragma once

// A real parameter model for the controller pad tests, on an engine stand-in that is not running (so
// every change lands at once), with the host's reports and the posted texts recorded.

#include "gui/TextSender.h"
#include "synth/ISynthEngine.h"
#include "synth/MidiState.h"
#include "synth/ParamControlHandle.h"
#include "synth/ParamControl.h"
#include "synth/SynthParams.h"

#include <string>
#include <utility>
#include <vector>

namespace korvel::test {

class PadRig : public veldro::ISynthEngine {
public:
    PadRig()
    {
        params.seedRandom(11);
        params.setHostNotify([this](int id, float value) { hostReports.emplace_back(id, value); });
    }

    bool isEngineRunning() const override { return false; }
    double getPlayPosition() const override { return 0.0; }
    std::shared_ptr<const audio::SoundPack> getCurrentSound() const override { return nullptr; }
    double getSampleRate() const override { return 44100.0; }
    const veldro::MidiState& getMidiState() const override { return midi; }

    veldro::ParamControlHandle handle(int paramId, int control = 0)
    {
        return veldro::ParamControlHandle(params.getBaseParam(paramId), control);
    }
    const veldro::ParamControl& live(int paramId, int control = 0)
    {
        return params.getBaseParam(paramId).pushedControl(control, 0);
    }

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

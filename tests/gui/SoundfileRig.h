#pragma once

// A real Synth with sounds made by our own code, and a sound-file view on an offscreen frame.

#include "audio/SoundPack.h"
#include "audio/Soundfile.h"
#include "editor/BridgeRig.h" // TextLog
#include "gui/SoundfileView.h"
#include "gui/StaticPalettes.h"
#include "support/SoundFileBuilder.h"
#include "support/TempDir.h"
#include "synth/Synth.h"
#include "utility/Utf8.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/testing/fakehost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace korvel::test {

// Mono 16-bit at 44.1 kHz.
inline testing_support::SoundRecipe monoSound(std::size_t frames, const std::function<double(std::size_t)>& sample)
{
    testing_support::SoundRecipe recipe;
    recipe.channels = 1;
    for (std::size_t i = 0; i < frames; ++i)
        recipe.samples.push_back(sample(i));
    return recipe;
}

// A tone whose loudness rises and falls, so the three line sets differ from column to column.
inline testing_support::SoundRecipe swellingTone(std::size_t frames)
{
    return monoSound(frames, [frames](std::size_t i) {
        const double swell = std::sin(3.14159265 * double(i) / double(frames));
        return 0.8 * swell * std::sin(double(i) * 0.07) + 0.05 * std::sin(double(i) * 1.3);
    });
}

// Polls as the editor's idle does until no load is pending (bounded).
inline void pollUntilSettled(veldro::Synth& synth)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (synth.pollLoads() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
}

class SoundfileViewRig : public ::testing::Test {
protected:
    static constexpr VSTGUI::CCoord LEFT = 10.0;
    static constexpr VSTGUI::CCoord TOP = 10.0;
    static constexpr VSTGUI::CCoord WIDTH = 380.0;
    static constexpr VSTGUI::CCoord HEIGHT = 165.0;

    SoundfileViewRig()
    {
        synth.setSampleRate(44100.0);
        frame = VSTGUI::owned(new VSTGUI::CFrame(VSTGUI::CRect(0, 0, 400, 200), &editor));
        editor.setFrame(frame);
        frame->open(nullptr);
        view = new gui::SoundfileView(VSTGUI::CRect(LEFT, TOP, LEFT + WIDTH, TOP + HEIGHT), 0, 1,
                                      gui::soundfileViewColours);
        view->setSynth(&synth);
        view->setTextReceiver(&status);
        frame->addView(view);
        synth.getParams().addListener(view);
    }
    ~SoundfileViewRig() override
    {
        synth.getParams().clearListeners();
        frame->close();
    }

    std::string writeSound(const std::string& name, const testing_support::SoundRecipe& recipe)
    {
        const auto path = folder.file(name);
        testing_support::writeSoundFile(path, recipe);
        return path.string();
    }

    // Decoded here and installed as the loader would, with the view told, then painted.
    std::shared_ptr<audio::SoundPack> install(const testing_support::SoundRecipe& recipe,
                                              const std::string& name = "sound.wav")
    {
        const std::wstring path = utf8::widen(writeSound(name, recipe));
        auto pack = std::make_shared<audio::SoundPack>(std::make_shared<audio::Soundfile>(path), path);
        synth.setSound(pack);
        synth.getParams().notifyListener(0, 1);
        frame->idle();
        return pack;
    }

    double target(int id) const { return synth.getParams().getParam(id).second; }
    void setSelection(double start, double end)
    {
        synth.getParams().setParam(0, start, 0.0);
        synth.getParams().setParam(1, end, 0.0);
    }

    // Frame coordinates of column `column` of the sketch, at mid height.
    VSTGUI::CPoint at(double column) const { return VSTGUI::CPoint(LEFT + column, TOP + HEIGHT / 2); }
    void press(VSTGUI::CPoint where, VSTGUI::int32 buttons = VSTGUI::kLButton)
    {
        frame->platformOnMouseDown(where, buttons);
    }
    void move(VSTGUI::CPoint where, VSTGUI::int32 buttons = VSTGUI::kLButton)
    {
        frame->platformOnMouseMoved(where, buttons);
    }
    void release(VSTGUI::CPoint where, VSTGUI::int32 buttons = VSTGUI::kLButton)
    {
        frame->platformOnMouseUp(where, buttons);
    }
    void dragFromTo(VSTGUI::CPoint from, VSTGUI::CPoint to, VSTGUI::int32 buttons = VSTGUI::kLButton)
    {
        press(from, buttons);
        move(to, buttons);
        release(to, buttons);
    }

    testing_support::TempDir folder;
    veldro::Synth synth;
    VSTGUI::testing::RecordingEditor editor;
    VSTGUI::SharedPointer<VSTGUI::CFrame> frame;
    gui::SoundfileView* view = nullptr;
    TextLog status;
};

} // namespace korvel::test

#pragma once

#include "gui/Palette.h"
#include "gui/TextSender.h"

#include <functional>
#include <memory>
#include <vector>

namespace korvel {
class Processor;
namespace veldro {
class GuiBridges;
class Synth;
class SynthParams;
} // namespace veldro
} // namespace korvel

namespace korvel {

// Objects of one open editor window that are neither views nor bridges (view listeners, helpers of a
// view): they live until the window's listeners are cleared and its frame is released.
class WindowObjects {
public:
    template <typename T>
    T* keep(std::unique_ptr<T> object)
    {
        T* kept = object.get();
        objects.push_back(std::shared_ptr<void>(std::move(object)));
        return kept;
    }
    void clear() { objects.clear(); }

private:
    std::vector<std::shared_ptr<void>> objects;
};

// What the editor window hands to the code that builds its views. Valid while the window is open.
// GUI thread only.
struct EditorContext {
    Processor& processor;
    veldro::Synth& synth;
    veldro::SynthParams& params;
    const gui::Palette& palette;
    // The palette with the theme's focus colour as its text colour.
    const gui::Palette& focusPalette;
    veldro::GuiBridges& bridges;
    WindowObjects& objects;
    // Run at each editor idle, before the frame paints: where views apply changes that listener calls
    // from other threads (host automation, a program change on the audio thread) left pending.
    std::vector<std::function<void()>>& idleTasks;
};

} // namespace korvel

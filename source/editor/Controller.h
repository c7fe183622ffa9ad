#pragma once

#include "editor/EditorContext.h"
#include "editor/GuiBridges.h"
#include "gui/Palette.h"
#include "vstgui/plugin-bindings/aeffguieditor.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace korvel::gui {
class CBreakpoints;
class CGrainDisplay;
class CGroupbox;
class SoundfileView;
} // namespace korvel::gui

namespace korvel::veldro {
class PatchManager;
}

namespace korvel {

class Processor;

// The plug-in's editor window: five group boxes of knobs, pads and views bound to the synth's
// parameters. Made once by the Processor; the host opens, idles and closes it any number of times.
// Host GUI thread only.
class Controller : public VSTGUI::AEffGUIEditor {
public:
    static constexpr int WIDTH = 1040;
    static constexpr int HEIGHT = 573;

    explicit Controller(Processor* processor);
    // With the window open: releases it without storing anything.
    ~Controller() override;

    // The window's size, also before the first open (hosts size their window from it).
    bool getRect(ERect** rect) override;
    bool open(void* parentWindow) override;
    // Stores the live state into slot 1 (unless a restored slot 1 still waits for its sound) and
    // writes the state file when that file is in use.
    void close() override;
    void idle() override;

    // The boxes "Control / MIDI", "Soundfile", "Grains", "Patches", "Processing" while open.
    const std::vector<gui::CGroupbox*>& getBoxes() const { return boxes; }

private:
    void buildControlBox(const VSTGUI::CRect& rect);
    void buildSoundBox(const VSTGUI::CRect& rect);
    void buildGrainBox(const VSTGUI::CRect& rect);
    void buildProcessingBox(const VSTGUI::CRect& rect);
    void buildPatchBox(const VSTGUI::CRect& rect);
    EditorContext viewContext();
    gui::CGroupbox* addBox(const VSTGUI::CRect& rect, const char* title);
    void bindStatusTexts(gui::CGroupbox& patchBox);
    void applyStartState();
    void storeLiveState();
    // Listeners first, then the frame, then what the views used.
    void releaseWindow();
    void deletePatchManager();

    Processor* processor;
    gui::Palette palette;
    gui::Palette focusPalette;
    gui::CGroupbox* controlBox = nullptr;
    gui::CGroupbox* soundBox = nullptr;
    gui::CGroupbox* grainBox = nullptr;
    gui::CGroupbox* processingBox = nullptr;
    gui::CBreakpoints* adsrEditor1 = nullptr;
    gui::CBreakpoints* adsrEditor2 = nullptr;
    gui::SoundfileView* soundView = nullptr;
    gui::CGrainDisplay* grainDisplay = nullptr;
    veldro::PatchManager* patchManager = nullptr;

    std::vector<gui::CGroupbox*> boxes;
    veldro::GuiBridges bridges;
    WindowObjects objects;
    std::vector<std::function<void()>> idleTasks;
};

} // namespace korvel

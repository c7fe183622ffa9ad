#pragma once

// The editor's patch grid built by its builder into a "Patches" box of an offscreen frame, on the
// parameter model of a real plug-in instance whose background poller is paused as an open editor
// pauses it. Clicks go through the frame; the cell menu is answered by the test.

#include "BridgeRig.h"
#include "editor/EditorViews.h"
#include "editor/GuiBridges.h"
#include "editor/PatchManager.h"
#include "gui/CGrid.h"
#include "gui/ControlFactories.h"
#include "gui/StaticPalettes.h"
#include "plugin/Processor.h"
#include "support/TempDir.h"
#include "synth/Synth.h"
#include "utility/Win32Compat.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/testing/fakehost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvel::test {

// What the cell menu offered when it popped up.
struct MenuShown {
    std::vector<std::string> titles;
    std::vector<bool> enabled;
};

class PatchGridRig : public ::testing::Test {
protected:
    static VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
    {
        return opcode == audioMasterVersion ? 2400 : 0;
    }

    PatchGridRig()
    {
        win32::setTickSourceForTesting([this] { return now; });
        VSTGUI::COptionMenu::setPopupHandler([this](VSTGUI::COptionMenu& menu, const VSTGUI::CPoint&) {
            MenuShown shown;
            for (int i = 0; i < menu.getNbEntries(); ++i) {
                shown.titles.push_back(menu.getEntry(i)->getTitle().getString());
                shown.enabled.push_back(menu.getEntry(i)->isEnabled());
            }
            menus.push_back(shown);
            const int answer = menuAnswer.value_or(-1);
            menuAnswer.reset();
            return answer;
        });
        frame = VSTGUI::owned(new VSTGUI::CFrame(VSTGUI::CRect(0, 0, 600, 280), &editor));
        editor.setFrame(frame);
        frame->open(nullptr);
        box = gui::makeGroupbox(VSTGUI::CRect(0, 0, 600, 280), "Patches", palette, VSTGUI::kTransparentCColor, true);
        box->setStatusReceiver(&status);
        manager = views::makePatchGrid(context, *box, VSTGUI::CRect(22, 40, 580, 257));
        frame->addView(box);
        grid = dynamic_cast<gui::CGrid*>(box->getChildren().back());
        frame->idle();
    }

    ~PatchGridRig() override
    {
        params.clearListeners();
        frame->close();
        views::deletePatchManager(manager);
        VSTGUI::COptionMenu::setPopupHandler({});
        win32::setTickSourceForTesting({});
    }

    // A press and release at the cell's centre, apart in time from the one before (no double click).
    void click(int cell, VSTGUI::int32 buttons = VSTGUI::kLButton)
    {
        now += 1000;
        const VSTGUI::CPoint where = grid->cell(cell).rect.getCenter();
        frame->platformOnMouseDown(where, buttons);
        frame->platformOnMouseUp(where, buttons);
    }
    void doubleClick(int cell)
    {
        click(cell);
        const VSTGUI::CPoint where = grid->cell(cell).rect.getCenter();
        frame->platformOnMouseDown(where, VSTGUI::kLButton);
        frame->platformOnMouseUp(where, VSTGUI::kLButton);
    }
    // Right-clicks the cell and chooses `entry` of its menu (-1: none).
    void menuChoice(int cell, int entry)
    {
        menuAnswer = entry;
        click(cell, VSTGUI::kRButton);
    }
    void runIdleTasks()
    {
        for (auto& task : idleTasks)
            task();
        frame->idle();
    }
    // Stores the live parameters into a slot with "grain.rate" (id 4) at a value of its own.
    void storeSlot(int slot, double rate)
    {
        params.setParam(4, rate, -1.0);
        params.storePatch(slot, true, 127);
    }
    double rate() const { return params.getParam(4).second; }
    VSTGUI::CColor colour(int role) const { return gui::patchManagerColours[std::size_t(role)]; }

    // Before the instance: it reads the state file "./veldro.json" of the current folder.
    struct ScratchFolder {
        ScratchFolder() : previous(std::filesystem::current_path()) { std::filesystem::current_path(dir.path()); }
        ~ScratchFolder() { std::filesystem::current_path(previous); }
        testing_support::TempDir dir;
        std::filesystem::path previous;
    } folder;
    Processor processor{&host};
    LoadPollerPause pollerPaused{processor.getLoadPoller()};
    veldro::Synth& synth = processor.getSynth();
    veldro::SynthParams& params = synth.getParams();
    gui::Palette palette{{50, 54, 57, 255}, {80, 80, 80, 255}, {255, 255, 255, 255}, {255, 122, 0, 255}};
    veldro::GuiBridges bridges;
    WindowObjects objects;
    std::vector<std::function<void()>> idleTasks;
    EditorContext context{processor, synth, params, palette, palette, bridges, objects, idleTasks};

    VSTGUI::uint32 now = 100000;
    VSTGUI::testing::RecordingEditor editor;
    VSTGUI::SharedPointer<VSTGUI::CFrame> frame;
    gui::CGroupbox* box = nullptr;
    gui::CGrid* grid = nullptr;
    veldro::PatchManager* manager = nullptr;
    TextLog status;
    std::optional<int> menuAnswer;
    std::vector<MenuShown> menus;
};

} // namespace korvel::test

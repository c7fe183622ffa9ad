#pragma once

#include "gui/CGrid.h"
#include "gui/HostEditGesture.h"
#include "gui/IComplexControlListener.h"
#include "gui/TextSender.h"
#include "synth/ISynthParamListener.h"
#include "vstgui/lib/controls/icontrollistener.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace VSTGUI {
class COptionMenu;
}

namespace korvel::veldro {

class LoadStatusRelay;
class Synth;
class SynthParams;

// Shows the patch slots on a grid, cell i for slot i: a click recalls the slot with the change time
// (a double click over 0.2 s), Shift-click stores the live sound into it, the top-left cell resets to
// the defaults, and the right button opens a menu to copy, move, paste and clear slots. Keeps the
// cell colours in step with the slots, posts what it did as status texts and tells the host every
// parameter a recall or reset changed.
//
// Threads: the GUI thread, except paramChanged and getId, which may come from the host's or the audio
// thread: there a recolouring is only noted, and applyPendingUpdates carries it out.
class PatchManager : public gui::IComplexControlListener,
                     public ISynthParamListener,
                     public VSTGUI::IControlListener,
                     public gui::ITextSender {
public:
    static constexpr int LISTENER_ID = 360;
    // Slots beyond the cells: the grid sizes the slot vector to cells + 4.
    static constexpr int EXTRA_SLOTS = 4;
    enum ColourRole : std::size_t {
        EMPTY_SLOT = 0,
        USED_SLOT = 2,
        RECALLED = 3,
        STORED_OVER = 4,
        RESET_CELL = 6,
        NOF_COLOURS = 7
    };
    using Colours = std::array<VSTGUI::CColor, NOF_COLOURS>;
    enum MenuEntry : int { COPY = 0, MOVE = 1, PASTE = 2, CLEAR = 3, SPLIT = 4 };
    // The marks kept in the cells' values.
    static constexpr double MARK_STORED = 3.0;
    static constexpr double MARK_RECALLED = 4.0;
    static constexpr double MARK_USED = -5.0;
    static constexpr double MARK_EMPTY = 0.0;

    // --- GUI thread

    // Sizes the slots to the grid's cells + 4. The grid and the synth must outlive the manager.
    PatchManager(gui::CGrid* grid, Synth& synth, const Colours& colours);
    ~PatchManager() override;
    PatchManager(const PatchManager&) = delete;
    PatchManager& operator=(const PatchManager&) = delete;

    using gui::IComplexControlListener::valueChanged;
    // A click on a cell of the grid.
    void valueChanged(VSTGUI::CView* view, int index) override;
    // The cell menu's choice.
    void valueChanged(VSTGUI::CControl* control) override;
    // The grid's cell drawer: the grid's own fill and outline, then the slot number.
    void drawCell(gui::CGrid* grid, VSTGUI::CDrawContext* context, const gui::CGrid::Cell& cell, int column,
                  int row);
    // Recolours the cells when another thread asked for it, shows the sound loader's texts, and marks
    // a recall that waited for its sound once it is applied.
    void applyPendingUpdates();
    // applyPendingUpdates for the editor's idle, harmless once the manager is gone.
    std::function<void()> idleTask();

    VSTGUI::COptionMenu& getMenu() const { return *menu; }
    // -1 none, COPY or MOVE.
    int getPendingAction() const { return pendingAction; }
    // The cell highlighted as the last recalled patch; -1 none.
    int getCurrentCell() const { return currentCell; }

    // --- any thread

    int getId() const override { return LISTENER_ID; }
    void paramChanged(std::uint32_t flags) override;

private:
    enum class Recall { DONE, LOADING, FAILED };
    struct CellPlace {
        int column = -1;
        int row = -1;
    };
    // A recall whose sound is loading: applied once the recall count moved on with its sound current.
    // Any later request overtakes it, as only the latest request installs a sound or recalls a slot.
    struct AwaitedRecall {
        int index;
        std::uint64_t recallsAtClick;
        std::uint64_t request;
        gui::HostValueSnapshot before;
    };

    void openMenu(int index, bool used);
    void recallOrStore(int index, bool used, VSTGUI::CButtonState buttons);
    void store(int index, bool used, VSTGUI::CButtonState buttons);
    void recall(int index, VSTGUI::CButtonState buttons);
    void markRecalled(int index);
    // Back to the plain used or empty look.
    void clearMark(int index);
    void checkAwaitedRecall();
    Recall startRecall(int index, double time);
    void paste();
    void clearSlot(int index);
    void endPending();
    void recolourCells();
    void markCell(int index, double value, const VSTGUI::CColor& colour);
    int indexOf(const CellPlace& place) const;
    bool isEditableSlot(int index) const;
    void status(const std::string& text) const;
    std::string cellName(int index) const;

    gui::CGrid* grid;
    Synth& synth;
    SynthParams& params;
    VSTGUI::SharedPointer<VSTGUI::COptionMenu> menu;
    CellPlace source;
    CellPlace target;
    int pendingAction = -1;
    int currentCell = -1;
    // The cell whose menu was opened last: what Clear acts on.
    int menuCell = -1;
    Colours colours;
    const std::thread::id guiThread;
    std::atomic<bool> recolourPending{false};
    std::shared_ptr<LoadStatusRelay> loadStatus;
    std::optional<AwaitedRecall> awaited;
};

} // namespace korvel::veldro

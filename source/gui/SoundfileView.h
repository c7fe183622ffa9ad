#pragma once

#include "gui/HostEditGesture.h"
#include "gui/SelectionDrag.h"
#include "gui/SoundfileLines.h"
#include "gui/TextSender.h"
#include "synth/ISynthParamListener.h"
#include "vstgui/lib/cview.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

namespace audio {
class SoundPack;
}

namespace korvel::veldro {
class Synth;
}

namespace korvel::gui {

// The current sound as a waveform sketch (peaks, amplitude, noisiness) with the playing selection shaded,
// the play cursor and a caption. Dragging moves the selection, which lives in the two selection
// parameters; a dropped file, or one chosen in the dialog that a click opens, is loaded as the new sound.
// Listener calls may come from any thread; everything else runs on the GUI thread.
class SoundfileView : public VSTGUI::CView,
                      public VSTGUI::IDropTarget,
                      public ITextSender,
                      public veldro::ISynthParamListener {
public:
    enum ColourRole : std::size_t {
        SELECTED_BACKGROUND,
        BACKGROUND,
        CURSOR,
        BORDER,
        PEAKS_SELECTED, // also the hint and the caption
        PEAKS,
        PEAKS_AT_CURSOR,
        AMPLITUDE_SELECTED,
        AMPLITUDE,
        AMPLITUDE_AT_CURSOR,
        NOISINESS_SELECTED,
        NOISINESS,
        NOISINESS_AT_CURSOR,
        COLOUR_ROLES
    };
    using Colours = std::array<VSTGUI::CColor, COLOUR_ROLES>;
    static constexpr const char* HINT = "Drop a soundfile here (wav or aiff)";
    static constexpr const char* DIALOG_TITLE = "Open a soundfile";

    SoundfileView(const VSTGUI::CRect& size, int startParamId, int endParamId, const Colours& colours);
    SoundfileView(const SoundfileView& other);
    ~SoundfileView() override;

    // --- GUI thread

    void setSynth(veldro::Synth* owner) { synth = owner; }
    // The engine's play position in frames of the sound; 0 hides the cursor.
    void setPlayPosition(double frames);
    // Takes up a sound change heard on another thread, and tells the host the selection that the user's
    // own load set once its sound is installed (the editor's idle).
    void applyPendingChange();

    const SoundfileLines& getLines() const { return lines; }
    double getCursorX() const { return cursorX; }
    // "0.50 s 44.1 kHz [sel 0.00 - 0.50]" for a ready sound, else empty.
    std::string captionText() const;

    VSTGUI::CView* newCopy() const override;
    void drawRect(VSTGUI::CDrawContext* context, const VSTGUI::CRect& dirty) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseCancel() override;
    VSTGUI::SharedPointer<VSTGUI::IDropTarget> getDropTarget() override;

    VSTGUI::DragOperation onDragEnter(VSTGUI::DragEventData data) override;
    VSTGUI::DragOperation onDragMove(VSTGUI::DragEventData data) override;
    void onDragLeave(VSTGUI::DragEventData data) override;
    bool onDrop(VSTGUI::DragEventData data) override;

    // --- any thread

    int getId() const override { return startParamId; }
    void paramChanged(std::uint32_t flags) override;

private:
    struct ColumnRange {
        std::size_t first = 0;
        std::size_t last = 0; // one past
    };

    // The current sound when it is ready, else null.
    const audio::SoundPack* readySound() const;
    // Once per sound, when it is first drawn or used.
    void buildLines();
    Selection selection() const;
    double sketchWidth() const;
    ColumnRange selectedColumns(const audio::SoundPack& pack) const;
    ColumnRange dirtyColumns(const VSTGUI::CRect& dirty) const;
    void drawHint(VSTGUI::CDrawContext& context) const;
    void drawSketch(VSTGUI::CDrawContext& context, const VSTGUI::CRect& dirty);
    void drawColumns(VSTGUI::CDrawContext& context, ColumnRange range, bool selected) const;
    void drawCursor(VSTGUI::CDrawContext& context) const;
    void drawCaption(VSTGUI::CDrawContext& context) const;
    void invalidateColumns(double from, double to);

    void startDrag(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons);
    void write(const SelectionWrite& change);
    void endDrag();
    void openSoundDialog();
    void loadSound(const std::string& path);
    void reportOwnLoad();
    void takeUpSound();
    void announce(const audio::SoundPack& pack) const;

    std::shared_ptr<const audio::SoundPack> sound;
    veldro::Synth* synth = nullptr;
    int startParamId;
    int endParamId;
    SelectionDrag drag;
    HostEditGesture dragGesture;
    SoundfileLines lines;
    Colours colours;
    double cursorX = 0.0;
    std::thread::id guiThread;
    std::atomic<bool> changePending{false};
    // The user's load not installed yet: its file and the request it drew (0: none).
    struct OwnLoad {
        std::wstring path;
        std::uint64_t request = 0;
    } ownLoad;
    // Reset when the view goes, so a loader's late status report finds no view.
    std::shared_ptr<SoundfileView*> self;
};

} // namespace korvel::gui

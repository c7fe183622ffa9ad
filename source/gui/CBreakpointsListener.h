#pragma once

#include "gui/IComplexControlListener.h"
#include "synth/ISynthParamListener.h"
#include "synth/Scaling.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

namespace korvel::gui {

class CBreakpoints;

// Maps the points of a breakpoint editor to synth parameters and back, and names them in status texts.
//
// Threads: made on the GUI thread, which owns everything but getId and paramChanged. paramChanged may come
// from the host's parameter thread or the audio thread (a program change): there it only leaves a note, and
// applyPendingUpdate carries it out on the GUI thread.
class CBreakpointsListener : public IComplexControlListener, public veldro::ISynthParamListener {
public:
    CBreakpointsListener(std::unique_ptr<Scaling> xScaling, std::unique_ptr<Scaling> yScaling,
                         std::uint8_t linksItself, std::uint32_t mask);
    ~CBreakpointsListener() override;
    CBreakpointsListener(const CBreakpointsListener&) = delete;
    CBreakpointsListener& operator=(const CBreakpointsListener&) = delete;

    // --- GUI thread

    using IComplexControlListener::valueChanged;
    // Point `index` of `view` was moved.
    virtual void valueChanged(CBreakpoints* view, int index) = 0;
    virtual double pointX(int index) const = 0;
    virtual double pointY(int index) const = 0;
    virtual std::string pointText(int index) const = 0;

    void setView(CBreakpoints* newView) { view = newView; }
    CBreakpoints* getView() const { return view; }
    // Set: the view also reports the neighbours that a drag pushes, and the links that its constraint
    // makes; clear: the listener keeps its linked points itself.
    bool linksItselfSet() const { return linksItself != 0; }
    // Rebuilds the view when another thread changed the parameters since the last call.
    void applyPendingUpdate();

    // --- any thread

    void paramChanged(std::uint32_t flags) override;

protected:
    // GUI thread, with a view: the points from the parameters' targets.
    virtual void showParams() = 0;

    const std::unique_ptr<Scaling> xScaling;
    const std::unique_ptr<Scaling> yScaling;
    const std::uint8_t linksItself;
    CBreakpoints* view = nullptr;

private:
    void refreshView(std::uint32_t flags);

    // Marks a pending update whose flags may be 0.
    static constexpr std::uint32_t PENDING = 1u << 31;

    const std::thread::id guiThread;
    std::atomic<std::uint32_t> pendingFlags{0};
};

} // namespace korvel::gui

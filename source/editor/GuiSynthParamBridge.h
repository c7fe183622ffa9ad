#pragma once

#include "synth/ISynthParamListener.h"
#include "synth/Scaling.h"
#include "vstgui/lib/controls/ccontrol.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

namespace korvel::veldro {

class SynthParams;

// Ties one control to one live parameter both ways: a moved control sets the parameter through the
// bridge's Scaling with the live change time, and a change of the parameter (host automation, patch
// recall) moves the control back.
//
// Threads: the thread that makes the bridge is its GUI thread; everything but paramChanged and getId
// belongs to it. paramChanged may come from the host's parameter thread or the audio thread (a program
// change): there it only leaves a note, and applyPendingUpdate carries it out on the GUI thread.
class GuiSynthParamBridge : public VSTGUI::IControlListener, public ISynthParamListener {
public:
    // Listens to the parameter's own group flags. A null Scaling passes values through unscaled.
    GuiSynthParamBridge(SynthParams* params, int paramId, std::unique_ptr<Scaling> scaling);
    ~GuiSynthParamBridge() override;
    GuiSynthParamBridge(const GuiSynthParamBridge&) = delete;
    GuiSynthParamBridge& operator=(const GuiSynthParamBridge&) = delete;

    // --- GUI thread

    // The bound control (not owned); null until set.
    void setControl(VSTGUI::CControl* newControl) { control = newControl; }
    VSTGUI::CControl* getControl() const { return control; }
    const Scaling* getScaling() const { return scaling.get(); }
    int getParamId() const { return paramId; }

    void valueChanged(VSTGUI::CControl* changed) override;
    // Each idle: moves the control to the parameter when another thread asked for it since the last call.
    virtual void applyPendingUpdate();

    // --- any thread

    int getId() const override { return paramId; }
    void paramChanged(std::uint32_t flags) override;

protected:
    // --- GUI thread

    // Puts the parameter's target into the bound control (and its texts); only called with a control.
    virtual void refreshControl();
    // Sets the parameter from the control's value through the Scaling; the value set, or none
    // without a parameter model.
    std::optional<double> setParamFromControl(const VSTGUI::CControl& source);
    double targetValue() const;

    SynthParams* const params;
    const int paramId;
    VSTGUI::CControl* control = nullptr;
    const std::unique_ptr<Scaling> scaling;

private:
    const std::thread::id guiThread;
    std::atomic<bool> refreshPending{false};
};

} // namespace korvel::veldro

#pragma once

#include "gui/CMultiPointXYPad.h"
#include "gui/IComplexControlListener.h"
#include "gui/TextSender.h"
#include "synth/ISynthParamListener.h"

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace korvel::veldro {
class SynthParams;
}

namespace korvel::gui {

// The two filter sections on one multi-point pad: each point's x is its section's cutoff (through the
// cutoff parameter's own scaling), its y the section's width; behind the points a sketch of the response
// that the low, band and high mix levels give. The mix sliders report through its MixListener. Changes
// are written to the parameters and described to the text receiver; the description follows later
// changes of the values it names.
// GUI thread, except paramChanged (any thread).
class CFilterView : public CMultiPointXYPad,
                    public IComplexControlListener,
                    public ITextSender,
                    public veldro::ISynthParamListener {
public:
    // Hears up to three mix sliders, whose tags are their parameters, and hands them to the view.
    class MixListener : public VSTGUI::IControlListener {
    public:
        explicit MixListener(CFilterView& owner) : owner(owner) {}
        // Takes the first free place; a fourth control is ignored.
        void addControl(VSTGUI::CControl* control);
        const std::array<VSTGUI::CControl*, 3>& getControls() const { return controls; }
        void valueChanged(VSTGUI::CControl* control) override;

    private:
        CFilterView& owner;
        std::array<VSTGUI::CControl*, 3> controls{};
    };

    // Colours: 0 text, 1 background, 3 low-pass, 4 band, 5 high-pass.
    CFilterView(const VSTGUI::CRect& size, VSTGUI::int32 tag, const std::array<VSTGUI::CColor, 6>& colours);
    ~CFilterView() override;

    void setParams(veldro::SynthParams* newParams) { params = newParams; }
    MixListener* getMixListener() const { return mixListener.get(); }

    using CMultiPointXYPad::valueChanged;
    using IComplexControlListener::valueChanged;
    // A point of the pad (index: the point) or a mix slider (index: its tag) changed.
    void valueChanged(VSTGUI::CControl* control, int index) override;

    // --- any thread
    int getId() const override { return getTag(); }
    // Moves the points and sliders to the parameters; off the view's thread only marks that for
    // applyPendingRefresh.
    void paramChanged(std::uint32_t flags) override;

    // --- GUI thread
    // Where the editor's idle applies a refresh that another thread asked for.
    void applyPendingRefresh();
    // The response sketch behind the points; always lets the points be drawn.
    int drawCurve(CMultiPointXYPad* pad, VSTGUI::CDrawContext* context);

private:
    void refreshFromParams();
    // The text for what was edited last, from the parameters' targets; empty before any edit.
    std::string captionText() const;
    void sendCaption();
    // A point's x as its parameter's value, and back.
    double cutoffOf(const Point& point) const;
    double positionOfCutoff(const Point& point, double cutoff) const;
    // A mix level's target limited to [0, 1], as the sliders and the sketch show it.
    double mixLevel(int id) const;

    veldro::SynthParams* params = nullptr;
    std::unique_ptr<MixListener> mixListener;
    std::array<VSTGUI::CColor, 6> colours;
    struct Caption {
        enum Kind { NONE, POINT, MIX } kind = NONE;
        int index = 0; // the point, or the mix slider's tag
    } caption;
    std::string sentCaption;
    const std::thread::id viewThread;
    std::atomic<bool> refreshPending{false};
};

} // namespace korvel::gui

#pragma once

#include "gui/CCustomDrawXYPad.h"
#include "gui/CTextSlider.h"
#include "gui/HostEditGesture.h"
#include "gui/Palette.h"
#include "gui/TextSender.h"
#include "synth/ISynthParamListener.h"
#include "synth/ParamControlHandle.h"
#include "synth/Scaling.h"
#include "vstgui/lib/controls/icontrollistener.h"
#include "vstgui/lib/cstring.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <thread>
#include <vector>

namespace VSTGUI {
class COptionMenu;
class CViewContainer;
} // namespace VSTGUI

namespace korvel::gui {

// The pad of one modulation control: x and y are the controller's first two settings, drawn by the
// editor object of the control's kind; a menu chooses the kind, a slider below sets the amount and a
// second one inside the pad's lower part the LFO rate. It posts the controller's description to its
// text receiver and the kind's help text to its group box header.
//
// Threads: GUI thread, but for paramChanged and getId, which any thread may call: off the GUI thread
// paramChanged only notes the change, and applyPendingNotifications takes it up at the editor's idle.
class ParamControllerView : public CCustomDrawXYPad,
                            public ITextSender,
                            public VSTGUI::IControlListener,
                            public veldro::ISynthParamListener {
public:
    // The editor object of one controller kind: maps the pad and the sliders to the control's
    // settings (normalised 0..1), reads them back and draws the kind's picture.
    class IController {
    public:
        IController(std::uint32_t kind, const Palette& palette);
        virtual ~IController() = default;

        virtual void draw(VSTGUI::CXYPad* pad, VSTGUI::CDrawContext* context, double x, double y) = 0;
        // Takes the synthesizer's settings.
        virtual void refresh() = 0;
        // Pushes the object's settings to the synthesizer.
        virtual void apply() = 0;
        virtual double getAmount() = 0;
        virtual void setAmount(double amount) = 0;
        virtual double getX() = 0;
        virtual double getY() = 0;
        virtual void setXY(double x, double y) = 0;
        // Writes at most size - 1 characters and a terminating zero; the length, 0 when there is
        // nothing to say.
        virtual int describe(char* buffer, std::size_t size) = 0;
        virtual double getParam2() = 0;
        virtual void setParam2(double value) = 0;
        virtual const char* valueFormat() const = 0;
        virtual void setText(const VSTGUI::UTF8String& newText) { text = newText; }
        // The handle's colour; transparent white hides the handle.
        virtual VSTGUI::CColor colour() const { return palette.frame; }
        virtual double frameWidth() const { return frameWidthValue; }
        virtual double roundRectRadius() const { return cornerRadius; }
        // The Scaling of field 1..4 of the kind, null when the field has none.
        virtual const Scaling* getScaling(int field) const = 0;
        virtual int knobCount() const { return 3; }
        virtual const char* knobLabel(int) const { return ""; }

        std::uint32_t getKind() const { return kind; }
        const Palette& getPalette() const { return palette; }
        const VSTGUI::UTF8String& getText() const { return text; }

    protected:
        std::uint32_t kind;
        Palette palette;
        double frameWidthValue = 2.0;
        double cornerRadius = 0.0;
        VSTGUI::UTF8String text;
    };

    // `palettes`: one per controller kind. The pad's tag and listener id is the control's first
    // generated parameter.
    ParamControllerView(const VSTGUI::CRect& rect, const veldro::ParamControlHandle& handle,
                        std::span<const Palette, 9> palettes);
    ~ParamControllerView() override;

    // --- GUI thread

    VSTGUI::CView* newCopy() const override { return nullptr; }
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    using CCustomDrawXYPad::valueChanged;
    void valueChanged(VSTGUI::CControl* control) override;
    // A drag of the handle is the host's edit gesture on the settings the pad's x and y write.
    void beginEdit() override;
    void endEdit() override;

    // Shows kind `kind` (0..8; others are ignored). Flag 512: the change comes from the synthesizer, so
    // the controller takes its settings; otherwise the controller's settings go to the synthesizer.
    void setController(int kind, std::uint32_t flags);
    // Brings the pad, the sliders and the texts in line with the shown controller.
    void showController();
    // Takes up the notifications that arrived off the GUI thread since the last call.
    void applyPendingNotifications();

    void attachSliders(CTextSlider* amount, CTextSlider* rate);
    CTextSlider* getAmountSlider() const { return amountSlider.get(); }
    CTextSlider* getRateSlider() const { return rateSlider.get(); }
    VSTGUI::COptionMenu* getKindMenu() const { return kindMenu; }
    // The shown controller, null before the first setController.
    IController* getCurrent() const { return current.get(); }
    // The object kept for `kind`, null when not made yet.
    IController* getControllerOf(int kind) const;
    // 0 while no controller is shown.
    int currentKind() const;
    const VSTGUI::CRect& getFullRect() const { return fullRect; }
    const VSTGUI::CRect& getShortRect() const { return shortRect; }

    // --- any thread

    int getId() const override { return getTag(); }
    void paramChanged(std::uint32_t flags) override;

private:
    std::shared_ptr<IController> makeController(int kind) const;
    void styleFor(const IController& controller);
    void styleSliders(int kind);
    void postDescription();
    void postHelpText(int kind);
    // The fields of the control that the pad's x and y write for the shown kind.
    std::vector<int> padFields() const;
    // Tells the host the values of these fields, inside their gestures.
    void reportFields(const std::vector<int>& fields);
    void chooseKind(int kind);

    std::shared_ptr<IController> current;
    std::vector<std::shared_ptr<IController>> controllers;
    veldro::ParamControlHandle handle;
    VSTGUI::SharedPointer<VSTGUI::COptionMenu> kindMenu;
    BipolarScaling bipolarScaling{100.0, 0.0};
    Scaling unipolarScaling{100.0, 0.0};
    // Kept also when the pad outlives its window in a pending idle task.
    VSTGUI::SharedPointer<CTextSlider> amountSlider;
    VSTGUI::SharedPointer<CTextSlider> rateSlider;
    VSTGUI::CRect shortRect;
    VSTGUI::CRect fullRect;
    std::span<const Palette, 9> controllerPalettes;
    const std::thread::id guiThread;
    std::atomic<std::uint32_t> pendingFlags{0};
    HostEditGesture gesture;
};

// The nine kind menu entries, index = kind, in a menu of tag 10.
VSTGUI::SharedPointer<VSTGUI::COptionMenu> makeKindMenu();

// The pad with its amount and rate sliders (both hidden until a kind needs them), added to `container`.
ParamControllerView* makeParamControllerView(VSTGUI::CViewContainer& container, const VSTGUI::CRect& rect,
                                             const veldro::ParamControlHandle& handle,
                                             std::span<const Palette, 9> palettes);

} // namespace korvel::gui

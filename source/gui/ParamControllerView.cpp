#include "gui/ParamControllerView.h"

#include "gui/CGroupbox.h"
#include "gui/CTextSlider.h"
#include "gui/ControlFactories.h"
#include "gui/FontSet.h"
#include "gui/LayoutMetrics.h"
#include "gui/Tooltips.h"
#include "gui/controllers/ControllerFactory.h"
#include "gui/controllers/ControllerKindTable.h"
#include "synth/ControllerKinds.h"
#include "synth/ParamTable.h"
#include "synth/SynthParams.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/cviewcontainer.h"

using namespace VSTGUI;

namespace korvel::gui {

namespace {
constexpr int32 KIND_MENU_TAG = 10;
constexpr CColor OWN_TEXT_COLOUR{255, 255, 255, 0};
constexpr std::size_t DESCRIPTION_SIZE = 100;
} // namespace

SharedPointer<COptionMenu> makeKindMenu()
{
    auto menu = makeOwned<COptionMenu>(CRect(10., 10., 100., 100.), nullptr, KIND_MENU_TAG, nullptr, nullptr,
                                       kCheckStyle);
    for (int kind = 0; kind < NOF_CONTROLLER_KINDS; ++kind)
        menu->addEntry(controllerKindRow(kind).menuTitle, kind, CMenuItem::kNoFlags);
    return menu;
}

ParamControllerView::ParamControllerView(const CRect& rect, const veldro::ParamControlHandle& handle,
                                         std::span<const Palette, 9> palettes)
    : CCustomDrawXYPad(rect, nullptr, int32(handle.getControlId())), controllers(NOF_CONTROLLER_KINDS),
      handle(handle), kindMenu(makeKindMenu()), shortRect(rect), fullRect(rect), controllerPalettes(palettes),
      guiThread(std::this_thread::get_id())
{
    setListener(this);
    mask = 0xFFFFFFFF;
    shortRect.bottom -= fontSet().smallerFont(1)->getSize();
}

ParamControllerView::~ParamControllerView()
{
    // An open menu outlives the pad in its overlay.
    kindMenu->setListener(nullptr);
}

void ParamControllerView::attachSliders(CTextSlider* amount, CTextSlider* rate)
{
    amountSlider = amount;
    rateSlider = rate;
}

ParamControllerView::IController* ParamControllerView::getControllerOf(int kind) const
{
    return kind >= 0 && kind < NOF_CONTROLLER_KINDS ? controllers[static_cast<std::size_t>(kind)].get() : nullptr;
}

int ParamControllerView::currentKind() const { return current ? int(current->getKind()) : 0; }

std::shared_ptr<ParamControllerView::IController> ParamControllerView::makeController(int kind) const
{
    return makeKindController(kind, handle, controllerPalettes[static_cast<std::size_t>(kind)]);
}

void ParamControllerView::setController(int kind, std::uint32_t flags)
{
    if (kind < 0 || kind >= NOF_CONTROLLER_KINDS)
        return;
    const bool fromSynth = (flags & veldro::CHANGED_BY_HOST) != 0;
    if (current && controllers[static_cast<std::size_t>(kind)] == current) {
        current->refresh();
        showController();
        return;
    }
    if (!controllers[static_cast<std::size_t>(kind)]) {
        if (kind >= 6 && fromSynth) {
            handle.readControl();
            // A source beyond the first group is shown by the next group's pad.
            if (int(handle.getParamNormalized(0)) >= 8 && kind < 8)
                ++kind;
        }
        controllers[static_cast<std::size_t>(kind)] = makeController(kind);
    }
    current = controllers[static_cast<std::size_t>(kind)];
    gui::setTooltipText(this, controllerKindRow(kind).helpText);
    setDrawFunction([shown = current](CXYPad* pad, CDrawContext* context, double x, double y) {
        shown->draw(pad, context, x, y);
    });
    styleFor(*current);
    styleSliders(kind);
    if (fromSynth)
        current->refresh();
    else
        current->apply();
    showController();
    invalid();
}

void ParamControllerView::styleFor(const IController& controller)
{
    const Palette& palette = controller.getPalette();
    setBackColor(palette.background);
    setFrameColor(palette.frame);
    setFrameWidth(controller.frameWidth());
    setFontColor(palette.text);
    setHandleColour(controller.colour());
    setRoundRectRadius(controller.roundRectRadius());
}

void ParamControllerView::styleSliders(int kind)
{
    const Palette& palette = current->getPalette();
    if (amountSlider) {
        amountSlider->setVisible(kind != 0);
        if (kind != 0) {
            amountSlider->setValueColor(palette.background);
            amountSlider->setTextColor(palette.text);
            amountSlider->setFormat(current->valueFormat());
            const bool unipolar = veldro::getControllerParamRange(kind, veldro::FIELD_AMOUNT).min >= 0.;
            amountSlider->setScaling(unipolar ? &unipolarScaling : &bipolarScaling);
        }
    }
    if (!rateSlider)
        return;
    rateSlider->setVisible(current->knobCount() > 2);
    if (rateSlider->isVisible() && rateSlider->getAlphaValue() > 0.f) {
        setViewSize(shortRect);
        rateSlider->setValueColor(palette.background);
        rateSlider->setTextColor(palette.text);
        rateSlider->setFormat(current->knobLabel(2));
        rateSlider->setScaling(current->getScaling(veldro::FIELD_PAR3));
    } else {
        setViewSize(fullRect);
    }
}

void ParamControllerView::showController()
{
    const int kind = currentKind();
    if (kind == 0) {
        if (amountSlider)
            amountSlider->setValue(0.5f);
        setValue(0.f);
    } else {
        if (amountSlider)
            amountSlider->setValue(static_cast<float>(current->getAmount()));
        if (rateSlider && rateSlider->isVisible() && rateSlider->getAlphaValue() > 0.f)
            rateSlider->setValue(static_cast<float>(current->getParam2()));
        setValue(encode(current->getX(), current->getY()));
    }
    if (current)
        setHandleColour(current->colour());
    postDescription();
    postHelpText(kind);
}

void ParamControllerView::postDescription()
{
    char buffer[DESCRIPTION_SIZE] = {};
    if (current)
        current->describe(buffer, sizeof buffer);
    sendText(buffer, OWN_TEXT_COLOUR);
}

void ParamControllerView::postHelpText(int kind)
{
    auto* box = dynamic_cast<CGroupbox*>(getParentView());
    if (!box || !box->getStatusReceiver())
        return;
    try {
        box->getStatusReceiver()->receiveText(controllerKindRow(kind).helpText, OWN_TEXT_COLOUR);
    } catch (...) {
        // A status text never breaks the change it reports.
    }
}

CMouseEventResult ParamControllerView::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    const int kind = currentKind();
    if (!buttons.isRightButton() && kind != 0)
        return CCustomDrawXYPad::onMouseDown(where, buttons);
    for (int entry = 0; entry < NOF_CONTROLLER_KINDS; ++entry)
        kindMenu->checkEntry(entry, entry == kind);
    kindMenu->setCurrent(kind);
    kindMenu->setListener(this);
    CPoint at(getViewSize().left, getViewSize().top);
    localToFrame(at);
    at.offset(s(6), s(6));
    kindMenu->popup(getFrame(), at);
    // The menu took the press: a later drag must not reach the pad without its begin-edit.
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void ParamControllerView::valueChanged(CControl* control)
{
    if (control == kindMenu.get()) {
        chooseKind(static_cast<int>(kindMenu->getValue()));
        return;
    }
    // Without a controller the pad is empty (kind 0): nothing to set.
    if (!current)
        return;
    // The handles write past SynthParams::setParam, so the host hears of these writes from here. A
    // slider's tag is the field it writes, and its edit is the host's gesture on that id.
    if (control == amountSlider.get()) {
        current->setAmount(amountSlider->getValue());
        handle.getSynthParams().reportToHost(amountSlider->getTag());
    } else if (control == rateSlider.get()) {
        current->setParam2(rateSlider->getValue());
        handle.getSynthParams().reportToHost(rateSlider->getTag());
    } else if (control == this) {
        double x = 0.;
        double y = 0.;
        decode(getValue(), x, y);
        current->setXY(x, y);
        reportFields(padFields());
        setHandleColour(current->colour());
        char buffer[DESCRIPTION_SIZE] = {};
        if (current->describe(buffer, sizeof buffer) > 0)
            sendText(buffer, OWN_TEXT_COLOUR);
    }
}

void ParamControllerView::chooseKind(int kind)
{
    std::vector<int> ids;
    for (int field = veldro::FIELD_TYPE; field < veldro::NOF_CONTROLLER_FIELDS; ++field)
        ids.push_back(getTag() + field);
    HostValueSnapshot before(handle.getSynthParams(), std::move(ids));
    setController(kind, veldro::CONTROLLER_TYPE_CHANGED);
    before.reportChanges(getFrame());
}

std::vector<int> ParamControllerView::padFields() const
{
    if (currentKind() == 0)
        return {};
    if (current->knobCount() >= 2)
        return {veldro::FIELD_X, veldro::FIELD_Y};
    return {veldro::FIELD_X};
}

void ParamControllerView::reportFields(const std::vector<int>& fields)
{
    // A change outside a drag is a gesture of its own.
    const bool ownGesture = !isEditing();
    for (int field : fields)
        gesture.report(getFrame(), handle.getSynthParams(), getTag() + field);
    if (ownGesture)
        gesture.close();
}

void ParamControllerView::beginEdit()
{
    if (++editing != 1)
        return;
    if (listener)
        listener->controlBeginEdit(this);
    for (int field : padFields())
        gesture.open(getFrame(), getTag() + field);
}

void ParamControllerView::endEdit()
{
    if (editing == 0 || --editing != 0)
        return;
    gesture.close();
    if (listener)
        listener->controlEndEdit(this);
}

void ParamControllerView::paramChanged(std::uint32_t flags)
{
    if (std::this_thread::get_id() != guiThread) {
        pendingFlags.fetch_or(flags, std::memory_order_acq_rel);
        return;
    }
    setController(int(handle.getType()), flags);
    invalid();
}

void ParamControllerView::applyPendingNotifications()
{
    // Notes taken together: with 512 among them the pad reads the synthesizer, which is then the
    // latest word on the control.
    const std::uint32_t flags = pendingFlags.exchange(0, std::memory_order_acq_rel);
    if (flags == 0)
        return;
    setController(int(handle.getType()), flags);
    invalid();
}

ParamControllerView* makeParamControllerView(CViewContainer& container, const CRect& rect,
                                             const veldro::ParamControlHandle& handle,
                                             std::span<const Palette, 9> palettes)
{
    const Palette& padPalette = palettes[0];
    auto* pad = new ParamControllerView(rect, handle, palettes);
    pad->setBackColor(padPalette.background);
    pad->setFrameColor(padPalette.frame);
    pad->setFrameWidth(1.0);
    pad->setRoundRectRadius(0.);

    const int32 controlId = pad->getTag();
    const CCoord bottom = rect.bottom + 2.;
    const CRect amountRect(rect.left, bottom, rect.left + rect.getWidth(), bottom + u(8));
    CTextSlider* amount = makeTextSlider(amountRect, pad, controlId + veldro::FIELD_AMOUNT, "", padPalette);
    CRect rateRect = amountRect;
    rateRect.offset(0., -u(9));
    CTextSlider* rate = makeTextSlider(rateRect, pad, controlId + veldro::FIELD_PAR3, "Freq", padPalette);
    for (CTextSlider* slider : {amount, rate}) {
        slider->setFrameWidth(0.);
        slider->setVisible(false);
    }
    amount->setDefaultValue(0.75f);
    pad->attachSliders(amount, rate);
    container.addView(pad);
    container.addView(amount);
    container.addView(rate);
    return pad;
}

} // namespace korvel::gui

#include "gui/controllers/ParamController.h"

#include "gui/ColourMath.h"
#include "gui/FittedText.h"
#include "gui/FontSet.h"
#include "gui/LayoutMetrics.h"
#include "gui/controllers/ControllerKindTable.h"
#include "vstgui/lib/cdrawcontext.h"

#include <algorithm>
#include <cstdio>

using namespace VSTGUI;

namespace korvel::gui {

int clampedLength(int printed, std::size_t size)
{
    if (printed < 0)
        return 0;
    return std::min(printed, static_cast<int>(size) - 1);
}

ParamControllerView::IController::IController(std::uint32_t kind, const Palette& palette)
    : kind(kind), palette(palette)
{
}

ParamController::ParamController(std::uint32_t kind, const veldro::ParamControlHandle& handle,
                                 const Palette& palette)
    : IController(kind, palette), handle(handle), knobs(controllerKindRow(int(kind)).knobCount)
{
    const ControllerKindRow& row = controllerKindRow(int(kind));
    frameWidthValue = row.frameWidth;
    cornerRadius = row.handleSizeS > 0. ? s(row.handleSizeS) : 0.;
    veldro::ParamControlHandle::initControlPatch(kind, this->handle);
}

CRect ParamController::innerRect(const CXYPad& pad)
{
    CRect inner = pad.getViewSize();
    const CCoord w = pad.getFrameWidth();
    inner.inset(w, w);
    return inner;
}

void ParamController::draw(CXYPad* pad, CDrawContext* context, double, double)
{
    if (text.empty())
        return;
    const CRect& box = pad->getViewSize();
    const CCoord inset = pad->getFrameWidth() + s(2);
    FontSet& fonts = fontSet();
    const UTF8String shown = fitTextInFonts(*context, text, box.getWidth() - 2. * inset,
                                            {pad->getFont(), fonts.smallerFont(1), fonts.smallerFont(2)});
    context->setFontColor(readableOn(palette.frame, palette.background));
    context->drawString(shown, CPoint(box.left + inset, box.top + pad->getFrameWidth() + u(8)), true);
}

void ParamController::refresh() { handle.readControl(); }

void ParamController::apply() { handle.apply(); }

double ParamController::getAmount() { return handle.getAmountNormalized(); }

void ParamController::setAmount(double amount) { handle.setAmountNormalized(amount); }

double ParamController::getX() { return handle.getParamNormalized(0); }

double ParamController::getY() { return handle.getParamNormalized(1); }

void ParamController::setXY(double x, double y)
{
    handle.setParamNormalized(0, x);
    if (knobs >= 2)
        handle.setParamNormalized(1, y);
}

int ParamController::describe(char* buffer, std::size_t size)
{
    if (buffer && size > 0)
        buffer[0] = '\0';
    return 0;
}

double ParamController::getParam2() { return handle.getParamNormalized(2); }

void ParamController::setParam2(double value) { handle.setParamNormalized(2, value); }

const char* ParamController::valueFormat() const { return controllerKindRow(int(kind)).valueFormat; }

const Scaling* ParamController::getScaling(int field) const { return handle.getScaling(field); }

const char* ParamController::knobLabel(int i) const
{
    return i >= 0 && i < 3 ? controllerKindRow(int(kind)).knobLabels[i] : "";
}

} // namespace korvel::gui

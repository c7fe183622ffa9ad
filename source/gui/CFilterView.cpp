#include "gui/CFilterView.h"

#include "gui/FilterResponseSketch.h"
#include "synth/SynthParams.h"

#include <algorithm>
#include <cstdio>

namespace korvel::gui {

using namespace VSTGUI;

namespace {

constexpr int FILTER_LOW = 18;
constexpr int FILTER_BAND = 19;
constexpr int FILTER_HIGH = 20;

const char* mixLabel(int tag)
{
    switch (tag) {
    case FILTER_LOW:
        return "filter low ";
    case FILTER_BAND:
        return "filter band ";
    case FILTER_HIGH:
        return "filter high ";
    default:
        return "";
    }
}

} // namespace

void CFilterView::MixListener::addControl(CControl* control)
{
    auto free = std::find(controls.begin(), controls.end(), nullptr);
    if (free != controls.end())
        *free = control;
}

void CFilterView::MixListener::valueChanged(CControl* control)
{
    if (control)
        owner.valueChanged(control, control->getTag());
}

CFilterView::CFilterView(const CRect& size, int32 tag, const std::array<CColor, 6>& colours)
    : CMultiPointXYPad(size, this, tag),
      mixListener(std::make_unique<MixListener>(*this)),
      colours(colours),
      viewThread(std::this_thread::get_id())
{
    mask = ~0u;
    customDraw = [this](CMultiPointXYPad* pad, CDrawContext* context) { return drawCurve(pad, context); };
    setFontColor(colours[0]);
    setBackColor(colours[1]);
}

CFilterView::~CFilterView() = default;

double CFilterView::cutoffOf(const Point& point) const
{
    const Scaling* scaling = params->getScaling(static_cast<int>(point.xParamId));
    return scaling ? scaling->toValue(point.x) : point.x;
}

double CFilterView::positionOfCutoff(const Point& point, double cutoff) const
{
    const Scaling* scaling = params->getScaling(static_cast<int>(point.xParamId));
    return scaling ? scaling->toNormalized(cutoff) : cutoff;
}

double CFilterView::mixLevel(int id) const { return std::clamp(params->getParam(id).second, 0.0, 1.0); }

void CFilterView::valueChanged(CControl* control, int index)
{
    if (!params || !control)
        return;
    const double time = params->getChangeTime();
    if (control == this) {
        // A point the pad does not hold would name no parameters of ours.
        if (!isValidIndex(index))
            return;
        const Point& point = getPoint(index);
        params->setParam(static_cast<int>(point.xParamId), cutoffOf(point), time);
        params->setParam(static_cast<int>(point.yParamId), point.y, time);
        caption = {Caption::POINT, index};
    } else {
        params->setParam(index, control->getValue(), time);
        caption = {Caption::MIX, index};
    }
    sendCaption();
    invalid();
}

std::string CFilterView::captionText() const
{
    char text[96];
    if (caption.kind == Caption::POINT && isValidIndex(caption.index)) {
        const Point& point = getPoint(caption.index);
        std::snprintf(text, sizeof text, "filter (%i) freq %.1f, Q %.0f", caption.index + 1,
                      params->getParam(static_cast<int>(point.xParamId)).second,
                      (1.0 - params->getParam(static_cast<int>(point.yParamId)).second) * 100.0);
    } else if (caption.kind == Caption::MIX) {
        std::snprintf(text, sizeof text, "%s%.0f", mixLabel(caption.index),
                      params->getParam(caption.index).second * 100.0);
    } else {
        return {};
    }
    return text;
}

void CFilterView::sendCaption()
{
    sentCaption = captionText();
    sendText(sentCaption, kTransparentCColor);
}

void CFilterView::paramChanged(std::uint32_t)
{
    if (std::this_thread::get_id() == viewThread)
        refreshFromParams();
    else
        refreshPending.store(true, std::memory_order_release);
}

void CFilterView::applyPendingRefresh()
{
    if (refreshPending.exchange(false, std::memory_order_acq_rel))
        refreshFromParams();
}

void CFilterView::refreshFromParams()
{
    if (!params)
        return;
    for (int i = 0; i < getPointCount(); ++i) {
        const Point& point = getPoint(i);
        const double x = positionOfCutoff(point, params->getParam(static_cast<int>(point.xParamId)).second);
        setPointPosition(i, CPoint(x, params->getParam(static_cast<int>(point.yParamId)).second));
    }
    // The sliders show the level itself, as they write it.
    for (CControl* slider : mixListener->getControls())
        if (slider)
            slider->setValue(static_cast<float>(mixLevel(slider->getTag())));
    // The caption shown follows the values it names, whoever changed them.
    if (caption.kind != Caption::NONE && captionText() != sentCaption)
        sendCaption();
    invalid();
}

int CFilterView::drawCurve(CMultiPointXYPad* pad, CDrawContext* context)
{
    if (!params || !context || pad->getPointCount() < 2)
        return 1;
    const CCoord fw = pad->getFrameWidth();
    const CRect& box = pad->getViewSize();
    FilterResponse response;
    response.origin = CPoint(box.left + fw, box.top + fw + 1.);
    response.width = box.getWidth() - 2. * fw - 1.;
    response.height = box.getHeight() - 2. * fw - 1.;
    // On equal cutoffs the second point counts as the left one.
    const bool firstIsLeft = pad->getPoint(0).x < pad->getPoint(1).x;
    response.left = pad->getPointPosition(firstIsLeft ? 0 : 1);
    response.right = pad->getPointPosition(firstIsLeft ? 1 : 0);
    response.low = mixLevel(FILTER_LOW);
    response.band = mixLevel(FILTER_BAND);
    response.high = mixLevel(FILTER_HIGH);
    response.lowColour = colours[3];
    response.bandColour = colours[4];
    response.highColour = colours[5];
    drawFilterResponse(*context, response);
    return 1;
}

} // namespace korvel::gui

#include "gui/controllers/ADSRController.h"

#include "synth/SynthParamIds.h"
#include "synth/SynthParams.h"
#include "vstgui/lib/cdrawcontext.h"

using namespace VSTGUI;

namespace korvel::gui {

namespace {
// delta, level, curve
constexpr int FIELDS_PER_POINT = 3;
} // namespace

ADSRController::ADSRController(const veldro::ParamControlHandle& handle, const Palette& palette)
    : ParamController(5, handle, palette)
{
    readEnvelopes();
}

void ADSRController::refresh()
{
    ParamController::refresh();
    readEnvelopes();
}

void ADSRController::readEnvelopes()
{
    readEnvelope(veldro::param_id::ADSR1_FIRST, adsr1Points);
    readEnvelope(veldro::param_id::ADSR2_FIRST, adsr2Points);
}

void ADSRController::readEnvelope(int firstId, EnvelopePoints& points) const
{
    const veldro::SynthParams& params = handle.getSynthParams();
    for (int i = 0; i < veldro::param_id::ENVELOPE_POINTS; ++i) {
        const int delta = firstId + FIELDS_PER_POINT * i;
        points[static_cast<std::size_t>(i)] = {timeScaling.toNormalized(params.getParam(delta).second),
                                               levelScaling.toNormalized(params.getParam(delta + 1).second)};
    }
    // Attack and decay add up; the release is drawn from the right edge back; the end returns to the start level.
    points[2].first += points[1].first;
    points[3].first = 1. - points[3].first;
    points[4].first = 1.;
    points[4].second = points[0].second;
}

void ADSRController::draw(CXYPad* pad, CDrawContext* context, double x, double)
{
    const CRect inner = innerRect(*pad);
    const CCoord w = pad->getFrameWidth();
    const CCoord mix = inner.left + inner.getWidth() * x;
    context->setDrawMode(kAntiAliasing);
    context->setLineWidth(w);
    context->setFrameColor(palette.frame);
    context->drawLine(CPoint(mix, inner.top), CPoint(mix, inner.bottom));
    if (x < 1.) {
        context->setFillColor(palette.accent);
        context->drawRect(CRect(mix + 1., inner.top, inner.left + inner.getWidth(), inner.bottom), kDrawFilled);
    }
    CDrawContext::LineList segments;
    CPoint previous(inner.left, inner.top + inner.getHeight());
    for (std::size_t i = 0; i < adsr1Points.size(); ++i) {
        const auto [t1, l1] = adsr1Points[i];
        const auto [t2, l2] = adsr2Points[i];
        const CPoint next(inner.left + ((1. - x) * t2 + x * t1) * inner.getWidth(),
                          inner.top + inner.getHeight() - (x * l1 + (1. - x) * l2) * inner.getHeight());
        segments.emplace_back(previous, next);
        previous = next;
    }
    // A width of 0 means the thinnest line the surface draws.
    context->setLineWidth(context->getHairlineSize());
    context->drawLines(segments);
}

} // namespace korvel::gui

#include "vstgui/testing/recordingdrawcontext.h"

namespace VSTGUI::testing {

RecordingDrawContext::RecordingDrawContext(const CRect& surface) : CDrawContext(surface) {}

DrawCall& RecordingDrawContext::record(DrawCall::Kind kind)
{
    DrawCall call{};
    call.kind = kind;
    call.frameColor = getFrameColor();
    call.fillColor = getFillColor();
    call.fontColor = getFontColor();
    call.font = getFont();
    call.lineWidth = getLineWidth();
    call.lineCap = getLineStyle().getLineCap();
    call.drawMode = getDrawMode();
    call.globalAlpha = getGlobalAlpha();
    call.clip = getClipRect();
    call.offset = getOffset();
    log.push_back(call);
    return log.back();
}

std::vector<DrawCall> RecordingDrawContext::callsOf(DrawCall::Kind kind) const
{
    std::vector<DrawCall> matching;
    for (const DrawCall& call : log)
        if (call.kind == kind)
            matching.push_back(call);
    return matching;
}

void RecordingDrawContext::drawLine(const LinePair& line)
{
    record(DrawCall::Kind::Line).points = {line.first, line.second};
}

void RecordingDrawContext::drawLines(const LineList& lines)
{
    DrawCall& call = record(DrawCall::Kind::Lines);
    for (const auto& [start, end] : lines) {
        call.points.push_back(start);
        call.points.push_back(end);
    }
}

void RecordingDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    DrawCall& call = record(DrawCall::Kind::Rect);
    call.rect = rect;
    call.style = style;
}

void RecordingDrawContext::drawEllipse(const CRect& rect, CDrawStyle style)
{
    DrawCall& call = record(DrawCall::Kind::Ellipse);
    call.rect = rect;
    call.style = style;
}

void RecordingDrawContext::drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode, CGraphicsTransform*)
{
    DrawCall& call = record(DrawCall::Kind::Path);
    call.pathMode = mode;
    if (path)
        call.path = path->getElements();
}

void RecordingDrawContext::fillLinearGradient(CGraphicsPath* path, const CGradient& gradient,
                                              const CPoint& startPoint, const CPoint& endPoint, bool evenOdd,
                                              CGraphicsTransform*)
{
    DrawCall& call = record(DrawCall::Kind::Gradient);
    call.points = {startPoint, endPoint};
    call.gradientStart = gradient.getStartColor();
    call.gradientEnd = gradient.getEndColor();
    call.evenOdd = evenOdd;
    if (path)
        call.path = path->getElements();
}

void RecordingDrawContext::drawString(const UTF8String& text, const CPoint& point, bool)
{
    DrawCall& call = record(DrawCall::Kind::String);
    call.points = {point};
    call.text = text.getString();
}

CCoord RecordingDrawContext::getStringWidth(const UTF8String& text)
{
    return measureStringWidth(getFont(), text);
}

CCoord RecordingDrawContext::getCapHeight(const CFontDesc& font)
{
    // A fixed share of the size keeps recorded baselines independent of the installed fonts.
    return font.getSize() * 0.7;
}

CCoord RecordingDrawContext::getDescent(const CFontDesc& font) { return font.getSize() * 0.2; }

} // namespace VSTGUI::testing

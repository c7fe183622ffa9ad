#pragma once

// Test hook: a draw context that logs every primitive with the state it was drawn in.

#include "vstgui/lib/cdrawcontext.h"

#include <string>
#include <vector>

namespace VSTGUI::testing {

struct DrawCall {
    enum class Kind { Line, Lines, Rect, Ellipse, Path, Gradient, String };
    Kind kind;
    std::vector<CPoint> points;          // line ends (pairs); the string's point
    CRect rect;                          // rect, ellipse
    CDrawStyle style{kDrawStroked};      // rect, ellipse
    CDrawContext::PathDrawMode pathMode{CDrawContext::kPathFilled};
    std::vector<CGraphicsPath::Element> path;
    CColor frameColor;
    CColor fillColor;
    CColor fontColor;
    CColor gradientStart;
    CColor gradientEnd;
    bool evenOdd{false};
    CFontDesc font;
    std::string text;
    CCoord lineWidth{1.};
    CLineStyle::LineCap lineCap{CLineStyle::kLineCapButt};
    CDrawMode drawMode;
    float globalAlpha{1.f};
    CRect clip;                          // user coordinates, as getClipRect gives it
    CPoint offset;                       // the transform's translation
};

class RecordingDrawContext : public CDrawContext {
public:
    explicit RecordingDrawContext(const CRect& surface = CRect(0., 0., 10000., 10000.));

    using CDrawContext::drawLine;
    using CDrawContext::drawString;
    void drawLine(const LinePair& line) override;
    void drawLines(const LineList& lines) override;
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked) override;
    void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked) override;
    void drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode = kPathFilled,
                          CGraphicsTransform* transformation = nullptr) override;
    void fillLinearGradient(CGraphicsPath* path, const CGradient& gradient, const CPoint& startPoint,
                            const CPoint& endPoint, bool evenOdd = false,
                            CGraphicsTransform* transformation = nullptr) override;
    void drawString(const UTF8String& text, const CPoint& point, bool antialias = true) override;
    CCoord getStringWidth(const UTF8String& text) override;

    const std::vector<DrawCall>& calls() const { return log; }
    std::vector<DrawCall> callsOf(DrawCall::Kind kind) const;
    void clear() { log.clear(); }

protected:
    CCoord getCapHeight(const CFontDesc& font) override;
    CCoord getDescent(const CFontDesc& font) override;

private:
    DrawCall& record(DrawCall::Kind kind);

    std::vector<DrawCall> log;
};

} // namespace VSTGUI::testing

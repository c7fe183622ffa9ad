#pragma once

#include "vstgui/lib/cdrawcontext.h"

#include <cairo.h>

namespace VSTGUI {

// Draws into a cairo surface whose origin is the frame's top-left. GUI thread only.
class CairoDrawContext : public CDrawContext {
public:
    explicit CairoDrawContext(cairo_surface_t* surface);
    ~CairoDrawContext() override;
    CairoDrawContext(const CairoDrawContext&) = delete;
    CairoDrawContext& operator=(const CairoDrawContext&) = delete;

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

protected:
    CCoord getCapHeight(const CFontDesc& font) override;
    CCoord getDescent(const CFontDesc& font) override;

private:
    class Scope;
    void setSourceColor(const CColor& color);
    void applyStrokeStyle();
    void strokeCurrentPath();
    void appendPath(const CGraphicsPath& path);
    void appendRect(const CRect& rect);
    void appendEllipse(const CRect& rect);
    void drawShape(const CRect& rect, CDrawStyle style, void (CairoDrawContext::*append)(const CRect&));

    cairo_t* cr;
};

} // namespace VSTGUI

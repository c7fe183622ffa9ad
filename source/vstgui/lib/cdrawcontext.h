#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cdrawdefs.h"
#include "vstgui/lib/cfont.h"
#include "vstgui/lib/cgradient.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/cgraphicstransform.h"

#include <utility>
#include <vector>

namespace VSTGUI {

// Drawing state plus the primitives a back end renders. Coordinates are user coordinates: device
// (frame) coordinates through the current transform. GUI thread only.
class CDrawContext {
public:
    using LinePair = std::pair<CPoint, CPoint>;
    using LineList = std::vector<LinePair>;
    enum PathDrawMode { kPathFilled = 0, kPathFilledEvenOdd = 1, kPathStroked = 2 };

    // Pushes `transform` (applied inside the current one) for its lifetime.
    class Transform {
    public:
        Transform(CDrawContext& context, const CGraphicsTransform& transform);
        ~Transform();
        Transform(const Transform&) = delete;
        Transform& operator=(const Transform&) = delete;

    private:
        CDrawContext& context;
    };

    // `surfaceRect`: the drawable area in device coordinates.
    explicit CDrawContext(const CRect& surfaceRect);
    virtual ~CDrawContext() = default;

    // ---- state
    void setFrameColor(const CColor& color) { state.frameColor = color; }
    const CColor& getFrameColor() const { return state.frameColor; }
    void setFillColor(const CColor& color) { state.fillColor = color; }
    const CColor& getFillColor() const { return state.fillColor; }
    void setFontColor(const CColor& color) { state.fontColor = color; }
    const CColor& getFontColor() const { return state.fontColor; }
    // size 0 and style -1 keep the font's own.
    void setFont(const CFontRef font, const CCoord& size = 0., const int32& style = -1);
    const CFontDesc& getFont() const { return state.font; }
    void setLineWidth(CCoord width) { state.lineWidth = width; }
    CCoord getLineWidth() const { return state.lineWidth; }
    void setLineStyle(const CLineStyle& style) { state.lineStyle = style; }
    const CLineStyle& getLineStyle() const { return state.lineStyle; }
    void setDrawMode(CDrawMode mode) { state.drawMode = mode; }
    CDrawMode getDrawMode() const { return state.drawMode; }
    void setGlobalAlpha(float alpha) { state.globalAlpha = alpha; }
    float getGlobalAlpha() const { return state.globalAlpha; }
    // Replaces the clip (user coordinates); getClipRect gives it back exactly.
    void setClipRect(const CRect& clip);
    CRect& getClipRect(CRect& clip) const;
    CRect getClipRect() const;
    // The clip in device coordinates, limited to the painted area.
    CRect getDeviceClip() const;
    void saveGlobalState();
    void restoreGlobalState();
    const CGraphicsTransform& getCurrentTransform() const { return transform; }
    // The current translation (device offset of the user origin).
    CPoint getOffset() const { return {transform.dx, transform.dy}; }
    CCoord getHairlineSize() const { return 1.; }

    // Back to the fresh state of a paint, limited to `paintRect` (device coordinates).
    void beginPaint(const CRect& paintRect);

    // ---- primitives
    void drawLine(const CPoint& start, const CPoint& end) { drawLine(LinePair(start, end)); }
    virtual void drawLine(const LinePair& line) = 0;
    // All segments in one path with one stroke.
    virtual void drawLines(const LineList& lines) = 0;
    // Fills exactly `rect`; strokes inside it.
    virtual void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked) = 0;
    virtual void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked) = 0;
    virtual void drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode = kPathFilled,
                                  CGraphicsTransform* transformation = nullptr) = 0;
    virtual void fillLinearGradient(CGraphicsPath* path, const CGradient& gradient, const CPoint& startPoint,
                                    const CPoint& endPoint, bool evenOdd = false,
                                    CGraphicsTransform* transformation = nullptr) = 0;
    // `point`: left end of the baseline.
    virtual void drawString(const UTF8String& text, const CPoint& point, bool antialias = true) = 0;
    // Vertically centred on the cap height, aligned horizontally; not clipped to `rect`.
    void drawString(const UTF8String& text, const CRect& rect, const CHoriTxtAlign hAlign = kCenterText,
                    bool antialias = true);
    virtual CCoord getStringWidth(const UTF8String& text) = 0;

    // The caller owns the returned reference.
    CGraphicsPath* createGraphicsPath() { return new CGraphicsPath(); }
    CGraphicsPath* createRoundRectGraphicsPath(const CRect& rect, CCoord radius);

protected:
    struct State {
        CColor frameColor{kWhiteCColor};
        CColor fillColor{kBlackCColor};
        CColor fontColor{kWhiteCColor};
        CFontDesc font{"Arial", 12., 0};
        CCoord lineWidth{1.};
        CLineStyle lineStyle{kLineSolid};
        CDrawMode drawMode{kAliasing};
        float globalAlpha{1.f};
        CRect clip;                        // as set, in the coordinates of clipTransform
        CGraphicsTransform clipTransform;
    };

    const State& currentState() const { return state; }
    // The stroke width actually used: a width of 0 or less is a hairline.
    CCoord effectiveLineWidth() const;
    // Half-pixel shift that puts odd-width aliased strokes on pixel centres.
    CCoord strokeAlignment() const;
    virtual CCoord getCapHeight(const CFontDesc& font) = 0;
    // How far descenders reach below the baseline.
    virtual CCoord getDescent(const CFontDesc& font) = 0;

private:
    void pushTransform(const CGraphicsTransform& transform);
    void popTransform();

    State state;
    std::vector<State> stateStack;
    CGraphicsTransform transform;
    std::vector<CGraphicsTransform> transformStack;
    CRect surfaceRect;
    CRect paintRect;
};

} // namespace VSTGUI

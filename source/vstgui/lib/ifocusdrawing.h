#pragma once

namespace VSTGUI {

class CGraphicsPath;

// A view that draws its own focus shape (a path the container fills even-odd in the focus colour).
class IFocusDrawing {
public:
    virtual ~IFocusDrawing() = default;
    virtual bool drawFocusOnTop() = 0;
    virtual bool getFocusPath(CGraphicsPath& outPath) = 0;
};

} // namespace VSTGUI

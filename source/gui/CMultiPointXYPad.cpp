#include "gui/CMultiPointXYPad.h"

#include "vstgui/lib/cdrawcontext.h"

#include <cmath>

namespace korvel::gui {

using namespace VSTGUI;

namespace {

// Outside [0, 1] goes to the nearer end; NaN counts as above.
double limitUnit(double v)
{
    if (v >= 0.0 && v <= 1.0)
        return v;
    return v < 0.0 ? 0.0 : 1.0;
}

} // namespace

CMultiPointXYPad::CMultiPointXYPad(const CRect& size, IComplexControlListener* pointListener, int32 tag)
    : CXYPad(size), pointListener(pointListener)
{
    setTag(tag);
    setListener(this);
}

CMultiPointXYPad::CMultiPointXYPad(const CMultiPointXYPad& other)
    : CXYPad(other), IControlListener(), pointListener(other.pointListener), points(other.points)
{
    setListener(this);
}

CMultiPointXYPad::~CMultiPointXYPad() = default;

CView* CMultiPointXYPad::newCopy() const { return new CMultiPointXYPad(*this); }

float CMultiPointXYPad::packedPosition(const Point& point)
{
    return calculateValue(static_cast<float>(point.x), static_cast<float>(point.y));
}

CRect CMultiPointXYPad::handleRect(const Point& point) const
{
    const CRect& box = getViewSize();
    const CPoint topLeft(point.x * (box.getWidth() - point.width) + box.left,
                         point.y * (box.getHeight() - point.height) + box.top);
    return CRect(topLeft, CPoint(point.width, point.height));
}

void CMultiPointXYPad::draw(CDrawContext* context)
{
    drawBack(context);
    if (!customDraw || customDraw(this, context) != 0) {
        context->setDrawMode(kAntiAliasing);
        for (const Point& point : points) {
            const bool ownColour = point.color != kTransparentCColor;
            context->setFillColor(ownColour ? point.color : points.front().color);
            context->drawEllipse(handleRect(point), kDrawFilled);
        }
    }
    setDirty(false);
}

int CMultiPointXYPad::nearestPoint(const CPoint& start) const
{
    if (points.empty())
        return -1;
    const CCoord width = getViewSize().getWidth();
    const CCoord height = getViewSize().getHeight();
    // A view no larger than a handle leaves the handle no room to move in.
    auto hasRoom = [&](const Point& point) { return width - point.width > 0. && height - point.height > 0.; };
    if (!hasRoom(points.front()))
        return -1;
    int nearest = 0;
    if (points.size() > 1) {
        const double x = start.x / (width - points.front().width);
        const double y = start.y / (height - points.front().height);
        double bound = 1000. * (width + height);
        for (int i = 0; i < getPointCount(); ++i) {
            const double d = std::sqrt(std::abs(x - points[i].x) + std::abs(y - points[i].y));
            if (d < bound) {
                bound = d;
                nearest = i;
            }
        }
    }
    return hasRoom(points[nearest]) ? nearest : -1;
}

CMouseEventResult CMultiPointXYPad::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    const CCoord r = getRoundRectRadius();
    const CPoint start = where - CPoint(getViewSize().left + r / 2., getViewSize().top + r / 2.);
    selectedIndex = nearestPoint(start);
    // Without a point to drag there is no edit gesture to begin.
    if (!isValidIndex(selectedIndex))
        return kMouseEventNotHandled;
    mouseChangeStartPoint = start;
    lastMouseChangePoint = start;
    pointAtMouseDown = points[selectedIndex];
    beginEdit();
    setValue(packedPosition(pointAtMouseDown));
    mouseStartValue = getValue();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CMultiPointXYPad::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!buttons.isLeftButton() || !isValidIndex(selectedIndex))
        return kMouseEventNotHandled;
    if (getStopTrackingOnMouseExit() && !hitTest(where, buttons)) {
        endEdit();
        return kMouseMoveEventHandledButDontNeedMoreEvents;
    }
    Point& point = points[selectedIndex];
    const CCoord roomX = getViewSize().getWidth() - point.width;
    const CCoord roomY = getViewSize().getHeight() - point.height;
    where -= CPoint(getViewSize().left + point.width / 2., getViewSize().top + point.height / 2.);
    double x = where.x / roomX;
    double y = where.y / roomY;
    if (buttons & kShift) {
        x = (where.x - lastMouseChangePoint.x) / (zoomFactor * roomX) + point.x;
        y = (where.y - lastMouseChangePoint.y) / (zoomFactor * roomY) + point.y;
    }
    point.x = limitUnit(x);
    point.y = limitUnit(y);
    changeValueByUser(packedPosition(point));
    lastMouseChangePoint = where;
    return kMouseEventHandled;
}

CMouseEventResult CMultiPointXYPad::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    selectedIndex = -1;
    return CXYPad::onMouseUp(where, buttons);
}

CMouseEventResult CMultiPointXYPad::onMouseCancel()
{
    if (isValidIndex(selectedIndex)) {
        Point& point = points[selectedIndex];
        const bool moved = point.x != pointAtMouseDown.x || point.y != pointAtMouseDown.y;
        point.x = pointAtMouseDown.x;
        point.y = pointAtMouseDown.y;
        setValue(packedPosition(point));
        // Reported while the index is still the dragged point's, so the owner takes the old place back.
        if (moved)
            CControl::valueChanged();
        invalid();
        selectedIndex = -1;
    }
    if (isEditing())
        endEdit();
    return kMouseEventHandled;
}

void CMultiPointXYPad::beginEdit()
{
    if (++editing != 1)
        return;
    if (listener)
        listener->controlBeginEdit(this);
    if (isValidIndex(selectedIndex)) {
        gesture.open(getFrame(), static_cast<int>(points[selectedIndex].xParamId));
        gesture.open(getFrame(), static_cast<int>(points[selectedIndex].yParamId));
    }
}

void CMultiPointXYPad::endEdit()
{
    if (editing == 0 || --editing != 0)
        return;
    gesture.close();
    if (listener)
        listener->controlEndEdit(this);
}

void CMultiPointXYPad::valueChanged(CControl*)
{
    if (pointListener && isValidIndex(selectedIndex))
        pointListener->valueChanged(this, selectedIndex);
}

void CMultiPointXYPad::setPoints(const std::vector<Point>& newPoints)
{
    points = newPoints;
    invalid();
}

void CMultiPointXYPad::setPointPosition(int index, const CPoint& position)
{
    if (!isValidIndex(index))
        return;
    points[index].x = limitUnit(position.x);
    points[index].y = limitUnit(position.y);
    invalid();
}

CPoint CMultiPointXYPad::getPointPosition(int index) const
{
    return isValidIndex(index) ? CPoint(points[index].x, points[index].y) : CPoint(0., 0.);
}

const CMultiPointXYPad::Point& CMultiPointXYPad::getPoint(int index) const
{
    static const Point empty{};
    return isValidIndex(index) ? points[index] : empty;
}

void CMultiPointXYPad::setPointColor(int index, const CColor& colour)
{
    if (!isValidIndex(index))
        return;
    points[index].color = colour;
    invalid();
}

CColor CMultiPointXYPad::getPointColor(int index) const
{
    return isValidIndex(index) ? points[index].color : kWhiteCColor;
}

} // namespace korvel::gui

#include "gui/CKBKnob.h"

#include "vstgui/lib/cgraphicspath.h"

namespace korvel::gui {

using namespace VSTGUI;

CKBKnob::CKBKnob(const CRect& size, IControlListener* listener, int32 tag)
    : CKnob(size, listener, tag, nullptr, nullptr)
{
}

CKBKnob::~CKBKnob() = default;

int32 CKBKnob::onKeyDown(VstKeyCode& keyCode)
{
    if (!keyHandler)
        return CKnob::onKeyDown(keyCode);
    // The handler writes the parameter in its own edit gesture and moves this knob; no valueChanged
    // here, or the parameter would be written a second time outside the gesture.
    if (keyHandler->onKeyDown(keyCode, this) != IKeyboardHandler::KEY_USED)
        return -1;
    if (isDirty())
        invalid();
    return 1;
}

bool CKBKnob::getFocusPath(CGraphicsPath& outPath)
{
    if (!(getDrawStyle() & kCoronaDrawing) || !wantsFocus())
        return CKnob::getFocusPath(outPath);
    CRect rect = getViewSize();
    // An arc open at the bottom leaves room there: the highlight stops short of it.
    if (getStartAngle() > 1.0f && getRangeAngle() < 6.0f)
        rect.bottom -= 0.08 * rect.getHeight();
    outPath.addRoundRect(rect, 0.1 * rect.getWidth());
    return true;
}

} // namespace korvel::gui

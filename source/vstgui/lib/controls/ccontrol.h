#pragma once

#include "vstgui/lib/controls/icontrollistener.h"
#include "vstgui/lib/cview.h"
#include "vstgui/lib/ifocusdrawing.h"

namespace VSTGUI {

class CBitmap; // bitmaps are not supported; constructors accept only nullptr

// A view with a value in [min, max] that reports user changes to its listener.
// GUI thread only: setValue marks the control dirty and the frame's idle sweep redraws it.
class CControl : public CView, public IFocusDrawing {
public:
    CControl(const CRect& size, IControlListener* listener = nullptr, int32 tag = 0, CBitmap* background = nullptr);
    CControl(const CControl& control);

    // ---- value; setting it never notifies the listener
    virtual void setValue(float value);
    virtual float getValue() const { return value; }
    virtual void setValueNormalized(float normalized);
    virtual float getValueNormalized() const;
    virtual void setMin(float minimum) { vmin = minimum; }
    virtual float getMin() const { return vmin; }
    virtual void setMax(float maximum) { vmax = maximum; }
    virtual float getMax() const { return vmax; }
    float getRange() const { return vmax - vmin; }
    virtual void setDefaultValue(float value) { defaultValue = value; }
    virtual float getDefaultValue() const { return defaultValue; }
    virtual void setWheelInc(float increment) { wheelInc = increment; }
    virtual float getWheelInc() const { return wheelInc; }
    virtual void bounceValue();

    // ---- listener, tag, edit gestures
    virtual void setListener(IControlListener* newListener) { listener = newListener; }
    IControlListener* getListener() const { return listener; }
    virtual void setTag(int32 newTag);
    int32 getTag() const { return tag; }
    // Tells the listener about a user change.
    virtual void valueChanged();
    // Nested: the outermost pair reaches the listener and the frame (the host's edit gesture).
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return editing > 0; }
    // Left click with exactly Control: sets the default value as one edit; true when the click was it.
    bool checkDefaultValue(CButtonState button);
    static constexpr int32 kZoomModifier = kShift;

    bool isDirty() const override;
    void setDirty(bool state = true) override;

    // ---- focus shape: a ring around the view, the frame's focus width wide
    bool drawFocusOnTop() override { return true; }
    bool getFocusPath(CGraphicsPath& outPath) override;

protected:
    CCoord focusWidth() const;
    // A value from the user's hand: set it and, when that changed it, tell the listener and redraw.
    void changeValueByUser(float newValue);
    // Ends a mouse edit that was cancelled, back at the value it started from.
    void cancelMouseEdit(float startValue);

    IControlListener* listener;
    int32 tag;
    int32 editing{0};
    float value{0.f};
    float vmin{0.f};
    float vmax{1.f};
    float defaultValue{0.5f};
    float oldValue{0.f};
    float wheelInc{0.1f};
};

} // namespace VSTGUI

#pragma once

// An offscreen frame with a fake editor and a fake clock, and a view that records its input.

#include "vstgui/lib/controls/cmenuoverlay.h"
#include "vstgui/lib/frameoverlay.h"
#include "vstgui/testing/fakehost.h"
#include "vstgui/vstgui.h"

#include "utility/Win32Compat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace VSTGUI::test {

class FrameFixture : public ::testing::Test {
protected:
    FrameFixture()
    {
        korvel::win32::setTickSourceForTesting([this] { return now; });
        frame = owned(new CFrame(CRect(0., 0., 200., 100.), &editor));
        editor.setFrame(frame);
        frame->open(nullptr);
    }
    ~FrameFixture() override
    {
        frame->close();
        korvel::win32::setTickSourceForTesting({});
    }

    template <typename View>
    View* add(View* view, CViewContainer* parent = nullptr)
    {
        (parent ? parent : frame.get())->addView(view);
        return view;
    }
    void press(CPoint where, int32 buttons = kLButton) { frame->platformOnMouseDown(where, buttons); }
    void release(CPoint where, int32 buttons = kLButton) { frame->platformOnMouseUp(where, buttons); }
    void move(CPoint where, int32 buttons = kLButton) { frame->platformOnMouseMoved(where, buttons); }
    void click(CPoint where, int32 buttons = kLButton)
    {
        press(where, buttons);
        release(where, buttons);
    }
    int32 key(unsigned char virt, unsigned char modifier = 0, VstInt32 character = 0)
    {
        VstKeyCode code{character, virt, modifier};
        return frame->platformOnKeyDown(code);
    }

    uint32 now{100000};
    testing::RecordingEditor editor;
    SharedPointer<CFrame> frame;
};

// Records mouse and key calls ("down 5,6" ...) and answers with preset results.
class ProbeView : public CView {
public:
    explicit ProbeView(const CRect& size, std::vector<std::string>* log = nullptr) : CView(size), log(log) {}

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override
    {
        lastButtons = buttons;
        note("down", where);
        return downResult;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState&) override
    {
        note("moved", where);
        return movedResult;
    }
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState&) override
    {
        note("up", where);
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseCancel() override
    {
        note("cancel");
        return kMouseEventHandled;
    }
    int32 onKeyDown(VstKeyCode&) override
    {
        note("key");
        return keyResult;
    }

    CMouseEventResult downResult{kMouseEventHandled};
    CMouseEventResult movedResult{kMouseEventHandled};
    int32 keyResult{-1};
    CButtonState lastButtons;
    std::vector<std::string> own;

private:
    void note(const std::string& what, const CPoint& where)
    {
        note(what + " " + std::to_string(static_cast<int>(where.x)) + "," + std::to_string(static_cast<int>(where.y)));
    }
    void note(const std::string& entry) { (log ? *log : own).push_back(entry); }

    std::vector<std::string>* log;
};

} // namespace VSTGUI::test

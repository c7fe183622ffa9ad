#pragma once

#include "gui/CBreakpoints.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/testing/fakehost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvel::gui::test {

// A listener that records what its view tells it; point i stands for parameter FIRST_PARAM + i.
class ScriptListener : public CBreakpointsListener {
public:
    static constexpr int FIRST_PARAM = 100;

    explicit ScriptListener(std::uint8_t linksItself = 0)
        : CBreakpointsListener(std::make_unique<Scaling>(1.0, 0.0), std::make_unique<Scaling>(1.0, 0.0),
                               linksItself, 16)
    {
    }
    int getId() const override { return 3; }
    void valueChanged(CBreakpoints* changed, int index) override
    {
        changed->editParam(FIRST_PARAM + index);
        changes.push_back(index);
    }
    double pointX(int index) const override { return index; }
    double pointY(int index) const override { return index; }
    std::string pointText(int index) const override { return "point " + std::to_string(index); }

    std::vector<int> changes;
    int shown = 0;

protected:
    void showParams() override { ++shown; }
};

struct TextLog : ITextReceiver {
    void receiveText(const VSTGUI::UTF8String& text, VSTGUI::CColor colour) override
    {
        texts.push_back(text.getString());
        colours.push_back(colour);
    }
    std::vector<std::string> texts;
    std::vector<VSTGUI::CColor> colours;
};

// An offscreen frame holding one breakpoint view whose point area (inset 2) is 100 x 100 at (2, 2).
class BreakpointsRig : public ::testing::Test {
protected:
    static constexpr int TAG = 7;

    BreakpointsRig()
    {
        frame = VSTGUI::owned(new VSTGUI::CFrame({0, 0, 200, 200}, &editor));
        editor.setFrame(frame);
        frame->open(nullptr);
    }
    ~BreakpointsRig() override { frame->close(); }

    CBreakpoints* make(const std::vector<VSTGUI::CPoint>& points, std::uint8_t linksItself = 0)
    {
        auto made = std::make_unique<ScriptListener>(linksItself);
        listener = made.get();
        view = new CBreakpoints({0, 0, 104, 104}, TAG, std::move(made), points.size());
        view->setFrameWidth(2.0);
        view->getPoints() = points;
        view->setTextReceiver(&texts);
        frame->addView(view);
        return view;
    }

    static VSTGUI::CPoint at(double x, double y) { return {2 + 100 * x, 102 - 100 * y}; }
    VSTGUI::CMouseEventResult press(double x, double y, VSTGUI::int32 buttons = VSTGUI::kLButton)
    {
        return frame->platformOnMouseDown(at(x, y), buttons);
    }
    void move(double x, double y) { frame->platformOnMouseMoved(at(x, y), VSTGUI::kLButton); }
    void release(double x, double y) { frame->platformOnMouseUp(at(x, y), VSTGUI::kLButton); }
    VSTGUI::CPoint point(std::size_t i) const { return view->getPoints()[i]; }

    VSTGUI::testing::RecordingEditor editor;
    VSTGUI::SharedPointer<VSTGUI::CFrame> frame;
    CBreakpoints* view = nullptr;
    ScriptListener* listener = nullptr;
    TextLog texts;
};

} // namespace korvel::gui::test

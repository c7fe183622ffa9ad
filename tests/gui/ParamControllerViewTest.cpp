#include "PadRig.h"

#include "gui/CGroupbox.h"
#include "gui/HostEditCheck.h"
#include "gui/LayoutMetrics.h"
#include "gui/ParamControllerView.h"
#include "gui/StaticPalettes.h"
#include "gui/controllers/InternalController.h"
#include "synth/ControllerKinds.h"
#include "vstgui/FrameFixture.h"
#include "vstgui/lib/controls/coptionmenu.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace korvel::gui {
namespace {

using namespace VSTGUI;

// grain.rate's first control: type 83, amount 84, x 85, y 86, rate 87.
constexpr int TYPE_ID = 83;
constexpr int X_ID = 85;
constexpr CColor OWN_COLOUR{255, 255, 255, 0};
constexpr int NONE = -1;
using IController = ParamControllerView::IController;

std::string tooltipOf(const CView& view)
{
    uint32 size = 0;
    if (!view.getAttributeSize(kCViewTooltipAttribute, size))
        return {};
    std::string text(size, '\0');
    uint32 read = 0;
    view.getAttribute(kCViewTooltipAttribute, size, text.data(), read);
    return text.c_str();
}

// A pad of grain.rate's first control in a group box whose header display is `header`.
class ControllerPad : public VSTGUI::test::FrameFixture {
protected:
    ControllerPad()
    {
        frame->addView(box);
        box->setStatusReceiver(&header);
        pad = makeParamControllerView(*box, CRect(10., 10., 70., 55.), rig.handle(4), controllerPalettes);
        pad->setTextReceiver(&status);
        rig.params.setHostNotify([this](int id, float value) {
            rig.hostReports.emplace_back(id, value);
            editor.log.push_back("automate " + std::to_string(id));
        });
        COptionMenu::setPopupHandler([this](COptionMenu& menu, const CPoint& at) {
            openedAt.push_back(at);
            checkedAtOpen.clear();
            for (int i = 0; i < menu.getNbEntries(); ++i)
                if (menu.isCheckEntry(i))
                    checkedAtOpen.push_back(i);
            currentAtOpen = menu.getCurrentIndex();
            return menuChoice;
        });
    }
    ~ControllerPad() override { COptionMenu::setPopupHandler({}); }

    void choose(int kind)
    {
        menuChoice = kind;
        CPoint at(20., 20.);
        pad->onMouseDown(at, kRButton);
    }
    double padX() const
    {
        double x = 0.;
        double y = 0.;
        CCustomDrawXYPad::decode(pad->getValue(), x, y);
        return x;
    }
    const veldro::ParamControl& live() { return rig.live(4); }

    test::PadRig rig;
    test::TextLog header;
    test::TextLog status;
    CGroupbox* box = new CGroupbox(CRect(0., 0., 200., 100.), "box");
    ParamControllerView* pad = nullptr;
    int menuChoice = NONE;
    std::vector<CPoint> openedAt;
    std::vector<int> checkedAtOpen;
    int currentAtOpen = NONE;
};

TEST_F(ControllerPad, IsTaggedWithItsControlAndCarriesTheKindMenuAndTwoHiddenSliders)
{
    EXPECT_EQ(pad->getTag(), TYPE_ID);
    EXPECT_EQ(pad->getId(), TYPE_ID);
    EXPECT_EQ(pad->mask, 0xFFFFFFFFu);
    EXPECT_EQ(pad->getCurrent(), nullptr);
    EXPECT_EQ(pad->newCopy(), nullptr);
    EXPECT_EQ(pad->getBackColor(), controllerPalettes[0].background);
    EXPECT_EQ(pad->getFrameWidth(), 1.);
    EXPECT_EQ(pad->getFullRect(), CRect(10., 10., 70., 55.));
    EXPECT_EQ(pad->getShortRect(), CRect(10., 10., 70., 44.));

    COptionMenu* menu = pad->getKindMenu();
    EXPECT_EQ(menu->getTag(), 10);
    EXPECT_EQ(menu->getStyle(), kCheckStyle);
    const std::vector<std::string> titles = {"None",        "Random",   "Sound: Amp/Noise",
                                             "LFO Shaped oscil", "MIDI Inputs", "ADSR 1/2",
                                             "Veldro sound/grain (1)", "Veldro grain/fx (2)", "Veldro effects (3)"};
    ASSERT_EQ(menu->getNbEntries(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(menu->getEntry(i)->getTitle().getString(), titles[std::size_t(i)]);
        EXPECT_EQ(menu->getEntry(i)->getFlags(), CMenuItem::kNoFlags);
    }

    CTextSlider* amount = pad->getAmountSlider();
    CTextSlider* rate = pad->getRateSlider();
    EXPECT_EQ(amount->getTag(), TYPE_ID + 1);
    EXPECT_EQ(rate->getTag(), TYPE_ID + 4);
    EXPECT_EQ(amount->getViewSize(), CRect(10., 57., 70., 57. + u(8)));
    EXPECT_EQ(rate->getViewSize(), CRect(10., 57. - u(9), 70., 57. + u(8) - u(9)));
    EXPECT_EQ(amount->getDefaultValue(), 0.75f);
    EXPECT_EQ(amount->getFrameWidth(), 0.);
    EXPECT_EQ(rate->getFormat().format_text, "Freq");
    EXPECT_FALSE(amount->isVisible());
    EXPECT_FALSE(rate->isVisible());
    EXPECT_EQ(amount->getListener(), pad);
    EXPECT_EQ(amount->getParentView(), box);
}

TEST_F(ControllerPad, EmptyKindHidesTheSlidersAndPostsTheHelpText)
{
    pad->setController(0, 512);
    EXPECT_EQ(pad->currentKind(), 0);
    EXPECT_FALSE(pad->getAmountSlider()->isVisible());
    EXPECT_EQ(pad->getAmountSlider()->getValue(), 0.5f);
    EXPECT_EQ(pad->getValue(), 0.f);
    EXPECT_EQ(status.texts, (std::vector<std::string>{""}));
    EXPECT_EQ(status.colours.back(), OWN_COLOUR);
    EXPECT_EQ(header.last(), "Right-click to select control. Shift to fine-tune, Ctrl-click to set default");
    EXPECT_EQ(header.colours.back(), OWN_COLOUR);
    EXPECT_EQ(tooltipOf(*pad), header.last());
    EXPECT_EQ(pad->getHandleColour(), controllerPalettes[0].text);
}

TEST_F(ControllerPad, ChoosingLfoPushesItAndShowsTheRateSliderInAShorterPad)
{
    pad->setController(0, 512);
    choose(3);
    EXPECT_EQ(pad->currentKind(), 3);
    EXPECT_EQ(live().type, 3u);
    EXPECT_DOUBLE_EQ(live().params[2].target, 1.0); // the rate's default
    EXPECT_EQ(pad->getViewSize(), pad->getShortRect());
    CTextSlider* rate = pad->getRateSlider();
    EXPECT_TRUE(rate->isVisible());
    EXPECT_EQ(rate->getFormat().format_text, "frq %.*f");
    EXPECT_EQ(rate->getScaling(), veldro::getControllerParamRange(3, 4).scaling.get());
    EXPECT_FLOAT_EQ(rate->getValue(), float(rate->getScaling()->toNormalized(1.0)));
    EXPECT_EQ(rate->getValueColor(), controllerPalettes[3].background);
    EXPECT_EQ(rate->getTextColor(), controllerPalettes[3].text);
    EXPECT_TRUE(pad->getAmountSlider()->isVisible());
    EXPECT_EQ(pad->getAmountSlider()->getFormat().format_text, "lfo %.1f");
    EXPECT_EQ(pad->getBackColor(), controllerPalettes[3].background);
    EXPECT_EQ(pad->getFrameWidth(), 2.);
    EXPECT_EQ(pad->getRoundRectRadius(), s(3));
    EXPECT_EQ(header.last(), "LFO: X,Y sets shape. Freq slider 0-100 per sec");
    EXPECT_EQ(status.last(), "sine");
    // The host hears each setting the choice changed, in a gesture of its own.
    EXPECT_EQ(test::hostEditFaults(editor.log), test::HostLog{});
    EXPECT_TRUE(test::automatedIds(editor.log).count(TYPE_ID));
    for (const auto& [id, value] : rig.hostReports)
        EXPECT_FLOAT_EQ(value, float(rig.params.getParamNormalized(id))) << id;

    pad->getRateSlider()->setValue(1.f);
    pad->valueChanged(pad->getRateSlider());
    EXPECT_DOUBLE_EQ(live().params[2].target, 100.0);

    // Random replaces it: the full pad, no rate slider; the LFO fades out behind it.
    choose(1);
    EXPECT_EQ(live().type, 1u);
    EXPECT_EQ(rig.params.getBaseParam(4).pushedControl(0, 1).type, 3u);
    EXPECT_EQ(pad->getViewSize(), pad->getFullRect());
    EXPECT_FALSE(pad->getRateSlider()->isVisible());
}

TEST_F(ControllerPad, ReChoosingTheShownKindOnlyReadsTheSynthesizer)
{
    pad->setController(0, 512);
    choose(1);
    IController* random = pad->getCurrent();
    rig.params.setParam(X_ID, 0.4, 0.0);
    choose(1);
    EXPECT_EQ(pad->getCurrent(), random);
    EXPECT_DOUBLE_EQ(live().params[0].target, 0.4);
    EXPECT_NEAR(padX(), 0.4, 1e-6);
    EXPECT_EQ(status.last(), "rand spread 50 walk 40");
}

TEST_F(ControllerPad, KindObjectsAreKeptForThePadsLife)
{
    pad->setController(0, 512);
    choose(2);
    IController* amps = pad->getCurrent();
    choose(4);
    choose(2);
    EXPECT_EQ(pad->getCurrent(), amps);
    EXPECT_EQ(pad->getControllerOf(2), amps);
    EXPECT_EQ(pad->getControllerOf(3), nullptr);
    pad->setController(9, 0);
    pad->setController(-1, 0);
    EXPECT_EQ(pad->getCurrent(), amps);
}

TEST_F(ControllerPad, AmountSliderScaleFollowsTheSignOfTheAmountRange)
{
    pad->setController(0, 512);
    choose(1);
    CTextSlider* amount = pad->getAmountSlider();
    EXPECT_EQ(amount->getScaling()->getRange(), std::make_pair(0.0, 100.0));
    EXPECT_EQ(amount->getFormat().format_text, "rand %.1f");
    choose(2);
    EXPECT_EQ(amount->getScaling()->getRange(), std::make_pair(-100.0, 100.0));
    EXPECT_EQ(amount->getFormat().format_text, "amp/nz %.1f");
    EXPECT_EQ(amount->getValueColor(), controllerPalettes[2].background);

    amount->setValue(1.f);
    pad->valueChanged(amount);
    EXPECT_DOUBLE_EQ(live().amount.target, 1.0);
    amount->setValue(0.f);
    pad->valueChanged(amount);
    EXPECT_DOUBLE_EQ(live().amount.target, -1.0);
}

struct QuietListener : veldro::ISynthParamListener {
    int getId() const override { return 88; }
    void paramChanged(std::uint32_t) override {}
};

TEST_F(ControllerPad, HostTypeChangeMakesTheNewKindAndPushesItsSettings)
{
    pad->setController(0, 512);
    choose(1);
    rig.params.setParam(X_ID, 0.7, 0.0);
    rig.params.addListener(pad);
    // Single changes reach the nearest listener below only with one above (the next control's pad).
    QuietListener nextPad;
    rig.params.addListener(&nextPad);
    // The host picks "midi": normalised 4 / 8 of the type range.
    rig.params.setParamNormalized(TYPE_ID, 0.5);
    EXPECT_EQ(pad->currentKind(), 4);
    EXPECT_EQ(live().type, 4u);
    EXPECT_DOUBLE_EQ(live().params[0].target, 0.0);
    EXPECT_EQ(pad->getAmountSlider()->getScaling()->getRange(), std::make_pair(-100.0, 100.0));

    // A host change of a setting (512) is only read.
    rig.params.setParamNormalized(X_ID, 0.9);
    EXPECT_NEAR(padX(), 0.9, 1e-3);
    EXPECT_NEAR(live().params[0].target, veldro::getControllerParamRange(4, 2).scaling->toValue(0.9), 1e-9);
    rig.params.clearListeners();
}

TEST_F(ControllerPad, SynthesizerChangeOfKindIsReadNotPushed)
{
    pad->setController(0, 512);
    rig.params.setParam(TYPE_ID, 5.0, 0.0);
    rig.params.setParam(TYPE_ID + 1, 0.3, 0.0);
    rig.params.setParam(X_ID, 0.8, 0.0);
    pad->paramChanged(512 | 8);
    EXPECT_EQ(pad->currentKind(), 5);
    EXPECT_DOUBLE_EQ(live().amount.target, 0.3);
    EXPECT_DOUBLE_EQ(live().params[0].target, 0.8);
    EXPECT_NEAR(padX(), 0.8, 1e-6);
}

TEST_F(ControllerPad, InnerKindIsRaisedToTheGroupOfItsSource)
{
    pad->setController(0, 512);
    rig.params.setParam(TYPE_ID, 6.0, 0.0);
    rig.params.setParam(X_ID, 13.0, 0.0); // "dist.clip", beyond the first group
    pad->paramChanged(512);
    EXPECT_EQ(pad->currentKind(), 7);
    EXPECT_EQ(pad->getControllerOf(6), nullptr);
    auto* inner = dynamic_cast<InternalController*>(pad->getControllerOf(7));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->getSelection(), 3); // group 1 of grain.rate: gliss, g.att, g.dec, clip, ...
    EXPECT_EQ(status.last(), "using dist.clip");
    EXPECT_DOUBLE_EQ(live().params[0].target, 13.0);
    EXPECT_EQ(live().type, 6u);
}

TEST_F(ControllerPad, InnerPadWithoutAChoiceHidesItsHandle)
{
    pad->setController(0, 512);
    choose(6);
    EXPECT_EQ(pad->getHandleColour(), controllerPalettes[6].accent);
    EXPECT_DOUBLE_EQ(live().params[0].target, 2.0); // "s.rat", the first source of group 0
    pad->setValue(CCustomDrawXYPad::encode(0.5, 0.5));
    pad->valueChanged(pad);
    EXPECT_EQ(pad->getHandleColour(), CColor(255, 255, 255, 0));
    EXPECT_DOUBLE_EQ(live().params[0].target, 2.0);
}

TEST_F(ControllerPad, MenuOpensOnRightClickOrOnAnEmptyPadWithTheCurrentKindChecked)
{
    pad->setController(0, 512);
    choose(1);
    ASSERT_EQ(openedAt.size(), 1u);
    EXPECT_EQ(openedAt[0], CPoint(10. + s(6), 10. + s(6)));
    EXPECT_EQ(checkedAtOpen, std::vector<int>{0});
    EXPECT_EQ(currentAtOpen, 0);

    menuChoice = NONE;
    CPoint at(20., 20.);
    EXPECT_EQ(pad->onMouseDown(at, kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(checkedAtOpen, std::vector<int>{1});
    EXPECT_EQ(currentAtOpen, 1);
    // The middle button with the left one is no press for a pad of a kind.
    EXPECT_EQ(pad->onMouseDown(at, kLButton | kMButton), kMouseEventNotHandled);
    EXPECT_EQ(openedAt.size(), 2u);

    choose(0);
    EXPECT_EQ(pad->onMouseDown(at, kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(openedAt.size(), 4u);
}

TEST_F(ControllerPad, PressBeforeAnyControllerOpensTheMenuInsteadOfFailing)
{
    press(CPoint(30., 30.));
    move(CPoint(50., 40.));
    release(CPoint(50., 40.));
    EXPECT_EQ(openedAt.size(), 1u);
    EXPECT_EQ(pad->getValue(), 0.f);
    EXPECT_TRUE(editor.log.empty());
    pad->valueChanged(pad->getAmountSlider());
    pad->valueChanged(pad);
    EXPECT_EQ(live().type, 0u);
}

TEST_F(ControllerPad, DragOnAKindSetsXAndYInOneGestureAndPostsTheDescription)
{
    pad->setController(0, 512);
    choose(1);
    editor.log.clear();
    rig.hostReports.clear();
    press(CPoint(16., 16.));
    move(CPoint(40., 32.));
    release(CPoint(40., 32.));
    EXPECT_EQ(test::gesturesOf(editor.log), (test::HostLog{"begin 85", "begin 86", "end 86", "end 85"}));
    EXPECT_EQ(test::hostEditFaults(editor.log), test::HostLog{});
    EXPECT_EQ(test::automatedIds(editor.log), (std::set<int>{X_ID, X_ID + 1}));
    EXPECT_FLOAT_EQ(rig.hostReports.back().second, float(rig.params.getParamNormalized(rig.hostReports.back().first)));
    // Handle size 6: the travel is 54 x 39 from (13, 13).
    EXPECT_NEAR(live().params[0].target, 0.5, 1e-6);
    EXPECT_NEAR(live().params[1].target, veldro::getControllerParamRange(1, 3).scaling->toValue(0.487), 1e-6);
    EXPECT_EQ(status.last().rfind("rand spread ", 0), 0u);
    EXPECT_NE(status.last(), "rand spread 50 walk 0");
}

TEST_F(ControllerPad, SlidersAndOneSettingKindsReportWhatTheyWriteInsideGesturesOfThoseIds)
{
    pad->setController(0, 512);
    choose(5); // the envelope mix: x alone
    editor.log.clear();
    press(CPoint(30., 30.));
    move(CPoint(50., 20.));
    release(CPoint(50., 20.));
    EXPECT_EQ(test::gesturesOf(editor.log), (test::HostLog{"begin 85", "end 85"}));
    EXPECT_EQ(test::automatedIds(editor.log), std::set<int>{X_ID});

    editor.log.clear();
    const CPoint middle = pad->getAmountSlider()->getViewSize().getCenter();
    press(middle);
    move(middle + CPoint(12., 0.));
    release(middle + CPoint(12., 0.));
    EXPECT_EQ(test::gesturesOf(editor.log), (test::HostLog{"begin 84", "end 84"}));
    EXPECT_EQ(test::automatedIds(editor.log), std::set<int>{X_ID - 1});
    EXPECT_EQ(test::hostEditFaults(editor.log), test::HostLog{});
    EXPECT_FLOAT_EQ(rig.hostReports.back().second, float(rig.params.getParamNormalized(X_ID - 1)));
}

TEST_F(ControllerPad, OffThreadNotificationsWaitForTheIdle)
{
    pad->setController(0, 512);
    rig.params.setParam(TYPE_ID, 1.0, 0.0);
    std::thread audio([this] { pad->paramChanged(512 | 8); });
    audio.join();
    EXPECT_EQ(pad->currentKind(), 0);
    pad->applyPendingNotifications();
    EXPECT_EQ(pad->currentKind(), 1);
    const auto posted = status.texts.size();
    pad->applyPendingNotifications();
    EXPECT_EQ(status.texts.size(), posted);
}

struct ThrowingReceiver : ITextReceiver {
    void receiveText(const UTF8String&, CColor) override { throw std::runtime_error("display gone"); }
};

TEST_F(ControllerPad, FailingDisplaysDoNotBreakTheChange)
{
    ThrowingReceiver broken;
    pad->setTextReceiver(&broken);
    box->setStatusReceiver(&broken);
    pad->setController(0, 512);
    choose(3);
    EXPECT_EQ(pad->currentKind(), 3);
}

} // namespace
} // namespace korvel::gui

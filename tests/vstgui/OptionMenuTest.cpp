#include "FrameFixture.h"

namespace VSTGUI::test {
namespace {

class Chosen : public IControlListener {
public:
    void valueChanged(CControl* control) override { choices.push_back(static_cast<int>(control->getValue())); }
    std::vector<int> choices;
};

class OptionMenuTest : public FrameFixture {
protected:
    OptionMenuTest()
    {
        menu = owned(new COptionMenu(CRect(10., 10., 100., 100.), &listener, 10, nullptr, nullptr, kCheckStyle));
        for (const char* title : {"None", "Random", "LFO"})
            menu->addEntry(title);
    }
    ~OptionMenuTest() override { COptionMenu::setPopupHandler({}); }

    MenuOverlay* openMenu() const { return dynamic_cast<MenuOverlay*>(frame->getTopOverlay()); }
    CPoint entryCentre(int32 index) const { return openMenu()->getEntryRect(index).getCenter(); }

    Chosen listener;
    SharedPointer<COptionMenu> menu;
};

TEST_F(OptionMenuTest, EntriesAppendInsertAndRemove)
{
    menu->addEntry("first", 0);
    menu->addEntry("last", 99);
    ASSERT_EQ(menu->getNbEntries(), 5);
    EXPECT_EQ(menu->getEntry(0)->getTitle(), "first");
    EXPECT_EQ(menu->getEntry(4)->getTitle(), "last");
    EXPECT_EQ(menu->getEntry(5), nullptr);
    EXPECT_EQ(menu->getEntry(-1), nullptr);
    EXPECT_TRUE(menu->removeEntry(4));
    EXPECT_FALSE(menu->removeEntry(4));
    EXPECT_EQ(menu->getNbEntries(), 4);
}

TEST_F(OptionMenuTest, CheckStyleChecksTheCurrentEntryAlone)
{
    menu->checkEntry(0, true);
    menu->setCurrent(2);
    EXPECT_EQ(menu->getValue(), 2.f);
    EXPECT_FALSE(menu->isCheckEntry(0));
    EXPECT_TRUE(menu->isCheckEntry(2));
    EXPECT_TRUE(listener.choices.empty());
    EXPECT_FALSE(menu->setCurrent(3));
}

TEST_F(OptionMenuTest, ScriptedChoiceNotifiesEvenWhenCurrentAndWithoutGestures)
{
    CPoint seenAt;
    std::vector<int32> flagsSeen;
    COptionMenu::setPopupHandler([&](COptionMenu& m, const CPoint& at) {
        seenAt = at;
        flagsSeen.clear();
        for (int32 i = 0; i < m.getNbEntries(); ++i)
            flagsSeen.push_back(m.getEntry(i)->getFlags());
        return 1;
    });
    menu->getEntry(2)->setEnabled(false);
    menu->setCurrent(1);
    int callbacks = 0;
    EXPECT_TRUE(menu->popup(frame, CPoint(30., 40.), [&](COptionMenu*) { ++callbacks; }));
    EXPECT_EQ(seenAt, CPoint(30., 40.));
    EXPECT_EQ(flagsSeen, (std::vector<int32>{0, CMenuItem::kChecked, CMenuItem::kDisabled}));
    EXPECT_EQ(listener.choices, (std::vector<int>{1}));
    EXPECT_EQ(callbacks, 1);
    EXPECT_TRUE(editor.log.empty()) << "menus make no edit gesture";
}

TEST_F(OptionMenuTest, ScriptedCancelOrDisabledChoiceDoesNothing)
{
    int32 answer = -1;
    COptionMenu::setPopupHandler([&](COptionMenu&, const CPoint&) { return answer; });
    menu->popup(frame, CPoint());
    menu->getEntry(2)->setEnabled(false);
    answer = 2;
    menu->popup(frame, CPoint());
    EXPECT_TRUE(listener.choices.empty());
}

TEST_F(OptionMenuTest, OverlayChoosesOnAReleaseAfterTheOpeningPress)
{
    menu->popup(frame, CPoint(20., 10.));
    ASSERT_NE(openMenu(), nullptr);
    EXPECT_EQ(openMenu()->getBounds().getTopLeft(), CPoint(20., 10.));
    release(entryCentre(2)); // the release of the press that opened it
    EXPECT_NE(openMenu(), nullptr);
    move(entryCentre(2), 0);
    EXPECT_EQ(openMenu()->getHighlighted(), 2);
    click(entryCentre(2));
    EXPECT_EQ(openMenu(), nullptr);
    EXPECT_EQ(listener.choices, (std::vector<int>{2}));
    EXPECT_EQ(menu->getValue(), 2.f);
}

TEST_F(OptionMenuTest, OverlayIgnoresDisabledEntriesAndClosesOnOutsideClickOrEscape)
{
    menu->getEntry(1)->setEnabled(false);
    menu->popup(frame, CPoint(20., 10.));
    click(entryCentre(1));
    EXPECT_NE(openMenu(), nullptr);
    click(CPoint(199., 99.));
    EXPECT_EQ(openMenu(), nullptr);
    menu->popup(frame, CPoint(20., 10.));
    EXPECT_EQ(key(VKEY_ESCAPE), 1);
    EXPECT_EQ(openMenu(), nullptr);
    EXPECT_TRUE(listener.choices.empty());
}

TEST_F(OptionMenuTest, MenuOutsideAnyTreeStaysAliveWhileOpen)
{
    auto* loose = new COptionMenu(CRect(), &listener, 10);
    loose->addEntry("Copy");
    loose->popup(frame, CPoint(150., 90.));
    loose->forget();
    ASSERT_NE(openMenu(), nullptr);
    EXPECT_TRUE(frame->getViewSize().rectInside(openMenu()->getBounds())) << "kept inside the frame";
    click(entryCentre(0));
    EXPECT_EQ(listener.choices, (std::vector<int>{0}));
}

TEST_F(OptionMenuTest, OverlayDrawsChecksAndGreysDisabledEntries)
{
    frame->setBackgroundColor(kWhiteCColor);
    menu->setCurrent(0);
    menu->getEntry(2)->setEnabled(false);
    menu->popup(frame, CPoint(0., 0.));
    frame->idle();
    const CRect row = openMenu()->getEntryRect(0);
    const CColor menuBack(0xF0, 0xF0, 0xF0);
    EXPECT_EQ(frame->getPixel(static_cast<int>(row.right) - 2, static_cast<int>(row.top) + 2), menuBack);
    EXPECT_NE(frame->getPixel(static_cast<int>(row.left) + 9, static_cast<int>(row.getCenter().y) + 2), menuBack)
        << "tick of the checked entry";
}

} // namespace
} // namespace VSTGUI::test

// The patch grid in a frame embedded in a real X window of a private Xvfb, driven by button events
// that another client sends, as a host's window would pass them on.

#include "editor/PatchManager.h"
#include "gui/CGrid.h"
#include "gui/StaticPalettes.h"
#include "synth/Synth.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cmenuoverlay.h"

#include "X11FrameTest.h"

#include <functional>
#include <memory>

namespace korvel::test {
namespace {

using namespace VSTGUI;

class PatchGridX11 : public x11_testing::X11FrameTest {
protected:
    void SetUp() override
    {
        makeFrame(300, 200);
        if (!hostReady())
            return;
        grid = new gui::CGrid(CRect(4, 4, 292, 116), nullptr, 18, 7);
        manager = std::make_unique<veldro::PatchManager>(grid, synth, gui::patchManagerColours);
        grid->setListener(manager.get());
        grid->setSpacing(CPoint(4, 4));
        grid->layoutCells();
        frame->addView(grid);
        showFrame();
    }

    void click(unsigned int button, CPoint where, unsigned int heldMask)
    {
        const int x = static_cast<int>(where.x);
        const int y = static_cast<int>(where.y);
        host->button(frameWindow, ButtonPress, x, y, 0, button);
        host->button(frameWindow, ButtonRelease, x, y, heldMask, button);
    }
    CPoint cellCentre(int index) const
    {
        CPoint centre = grid->cell(index).rect.getCenter();
        return grid->localToFrame(centre);
    }
    MenuOverlay* openMenu() const { return dynamic_cast<MenuOverlay*>(frame->getTopOverlay()); }

    veldro::Synth synth;
    veldro::SynthParams& params = synth.getParams();
    gui::CGrid* grid{nullptr};
    std::unique_ptr<veldro::PatchManager> manager;
};

TEST_F(PatchGridX11, CopyChosenFromTheRightButtonMenuPastesIntoTheNextClickedCell)
{
    params.setParam(4, 150.0, -1.0);
    params.storePatch(3, true, 127);

    click(Button3, cellCentre(3), Button3Mask);
    ASSERT_TRUE(pumpUntil([this] { return openMenu() != nullptr; }));
    ASSERT_EQ(openMenu()->getMenu().getEntry(veldro::PatchManager::COPY)->getTitle().getString(), "Copy");
    const CPoint copy = openMenu()->getEntryRect(veldro::PatchManager::COPY).getCenter();
    click(Button1, copy, Button1Mask);
    ASSERT_TRUE(pumpUntil([this] { return openMenu() == nullptr; }));
    ASSERT_TRUE(pumpUntil([this] { return manager->getPendingAction() == veldro::PatchManager::COPY; }));

    click(Button1, cellCentre(40), Button1Mask);
    ASSERT_TRUE(pumpUntil([this] { return params.hasPatch(40); }));
    EXPECT_EQ(params.getPatch(40), params.getPatch(3));
    EXPECT_EQ(grid->cell(40).color, gui::patchManagerColours[veldro::PatchManager::USED_SLOT]);
}

} // namespace
} // namespace korvel::test

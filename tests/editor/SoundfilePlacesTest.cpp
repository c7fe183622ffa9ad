#include "audio/SoundPack.h"
#include "audio/Soundfile.h"
#include "editor/EditorContext.h"
#include "editor/EditorViews.h"
#include "editor/GuiBridges.h"
#include "gui/CDropButton.h"
#include "gui/ControlFactories.h"
#include "gui/HostEditCheck.h"
#include "gui/SoundfileView.h"
#include "gui/Tooltips.h"
#include "patch/StateText.h"
#include "plugin/Processor.h"
#include "support/SoundFileBuilder.h"
#include "support/TempDir.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/dragging.h"
#include "vstgui/testing/fakehost.h"

#include "BridgeRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace korvel::test {
namespace {

using VSTGUI::CRect;

// The places on an offscreen frame over a real Processor, in a folder of the test's own (the state
// file "./veldro.json" is read from the current folder).
class SoundfilePlacesTest : public ::testing::Test {
protected:
    SoundfilePlacesTest() : previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder.path());
        processor = std::make_unique<Processor>(nullptr);
        frame = VSTGUI::owned(new VSTGUI::CFrame(CRect(0, 0, 600, 400), &editor));
        editor.setFrame(frame);
        frame->open(nullptr);
        box = gui::makeGroupbox(CRect(0, 0, 600, 400), "Soundfile", palette, VSTGUI::CColor(255, 255, 255, 0), false);
        box->setStatusReceiver(&boxStatus);
    }
    ~SoundfilePlacesTest() override
    {
        processor->getSynth().getParams().clearListeners();
        frame->close();
        processor.reset();
        std::filesystem::current_path(previous);
    }

    EditorContext context()
    {
        return {*processor, processor->getSynth(), processor->getSynth().getParams(), palette, palette, bridges,
                objects, idleTasks};
    }
    void runIdleTasks()
    {
        for (auto& task : idleTasks)
            task();
    }
    bool dropOn(VSTGUI::CView& view, const std::string& path)
    {
        auto items = VSTGUI::owned(new VSTGUI::CDropSource());
        items->addFilePath(path);
        return view.getDropTarget()->onDrop(VSTGUI::DragEventData{items, VSTGUI::CPoint(), 0});
    }

    testing_support::TempDir folder;
    std::filesystem::path previous;
    std::unique_ptr<Processor> processor;
    gui::Palette palette{{50, 54, 57, 255}, {80, 80, 80, 255}, {255, 250, 240, 255}, {255, 122, 0, 255}};
    veldro::GuiBridges bridges;
    WindowObjects objects;
    std::vector<std::function<void()>> idleTasks;
    VSTGUI::testing::RecordingEditor editor;
    VSTGUI::SharedPointer<VSTGUI::CFrame> frame;
    gui::CGroupbox* box = nullptr;
    TextLog boxStatus;
};

TEST_F(SoundfilePlacesTest, TheSoundViewHearsSoundChangesOnTheEditorsIdle)
{
    auto* view = views::makeSoundfileView(context(), *box, CRect(10, 20, 390, 185));
    frame->addView(box);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->getParentView(), box);
    EXPECT_EQ(view->getTextReceiver(), &boxStatus);
    EXPECT_EQ(view->getId(), 0);
    std::uint32_t size = 0;
    EXPECT_TRUE(view->getAttributeSize(VSTGUI::kCViewTooltipAttribute, size));

    testing_support::SoundRecipe recipe;
    recipe.channels = 1;
    for (int i = 0; i < 8000; ++i)
        recipe.samples.push_back(0.5 * std::sin(i * 0.05));
    const auto path = folder.file("tone.wav");
    testing_support::writeSoundFile(path, recipe);
    auto& synth = processor->getSynth();
    // Loaded as a MIDI program change would install it: the view hears of it on another thread.
    std::thread([&] {
        synth.setSound(std::make_shared<audio::SoundPack>(std::make_shared<audio::Soundfile>(path.wstring()),
                                                          path.wstring()));
        synth.getParams().notifyListener(0, 1);
    }).join();
    EXPECT_TRUE(boxStatus.texts.empty());
    runIdleTasks();
    EXPECT_EQ(boxStatus.last(), "tone.wav - Veldro chops it");

    views::showPlayPosition(*view, 4000);
    frame->idle();
    EXPECT_GT(view->getCursorX(), 0.0);
}

TEST_F(SoundfilePlacesTest, ThePatchButtonLoadsDroppedPatchFilesAndReportsFailures)
{
    views::makeDropButton(context(), *box, CRect(10, 200, 110, 220));
    frame->addView(box);
    auto* button = dynamic_cast<gui::CDropButton*>(box->getView(box->getNbViews() - 1));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->getTag(), 174);
    EXPECT_EQ(button->getTitle(), "patch drop");
    EXPECT_EQ(button->getFileType(), VSTGUI::CFileExtension("Veldro patch file", "json", "text/json"));
    EXPECT_EQ(button->getFrameWidth(), 1.5);
    EXPECT_EQ(button->getTextColor(), palette.accent);
    EXPECT_EQ(button->getTextReceiver(), &boxStatus);

    auto& store = processor->getStateStore();
    TextLog storeStatus;
    store.setStatusSink([&](const std::string& text, bool isError) {
        storeStatus.receiveText(text, isError ? VSTGUI::CColor(255, 0, 0, 255) : VSTGUI::CColor(255, 255, 255, 0));
    });
    auto& params = processor->getSynth().getParams();

    const auto bad = folder.file("bad.json").string();
    std::ofstream(bad) << "{\"apply.changetime\": 3, " << std::string(200, '[');
    // Slot keys in which nothing reads: no more a patch file than a broken text.
    const auto unreadable = folder.file("unreadable.json").string();
    std::ofstream(unreadable) << R"({"patch.1": {"timestamp": 1700000000, "grain.rate": [1]}})" << std::string(100, ' ');
    const std::string before = veldro::serialize(params);
    for (const std::string& path : {bad, unreadable}) {
        EXPECT_TRUE(dropOn(*button, path));
        EXPECT_EQ(storeStatus.last(), "Error opening file - " + path + " is not a patch file");
        EXPECT_EQ(storeStatus.colours.back(), VSTGUI::CColor(255, 0, 0, 255));
        EXPECT_TRUE(store.isDefaultPath());
        EXPECT_EQ(veldro::serialize(params), before);
    }

    params.setParam(56, 3.0, 0.0);
    const auto good = folder.file("good.json").string();
    std::ofstream(good) << veldro::serialize(params);
    params.setParam(56, 1.0, 0.0);
    params.setHostNotify([this](int id, float) { editor.log.push_back("automate " + std::to_string(id)); });
    EXPECT_TRUE(dropOn(*button, good));
    EXPECT_EQ(storeStatus.last(), "Loaded " + good);
    EXPECT_FALSE(store.isDefaultPath());
    EXPECT_EQ(params.getParam(56).second, 3.0);
    // What the file changed (its change time) reaches the host inside a gesture of its own.
    EXPECT_EQ(automatedIds(editor.log), (std::set<int>{56}));
    EXPECT_EQ(hostEditFaults(editor.log), HostLog{});
}

} // namespace
} // namespace korvel::test

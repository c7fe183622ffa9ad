#include "SoundfileRig.h"

#include "vstgui/lib/cfileselector.h"
#include "vstgui/lib/dragging.h"

#include <optional>
#include <thread>

namespace korvel::test {
namespace {

using VSTGUI::CDropSource;
using VSTGUI::DragEventData;
using VSTGUI::DragOperation;

constexpr VSTGUI::CColor OWN_COLOUR{255, 255, 255, 0};
constexpr VSTGUI::CColor RED{255, 0, 0, 255};

class SoundfileLoadTest : public SoundfileViewRig {
protected:
    void TearDown() override { VSTGUI::CNewFileSelector::setTestResponder({}); }

    bool drop(CDropSource& items)
    {
        const DragEventData data{&items, at(50), 0};
        EXPECT_EQ(frame->platformOnDragEnter(data), DragOperation::Copy);
        EXPECT_EQ(frame->getCursor(), VSTGUI::kCursorCopy);
        const bool taken = frame->platformOnDrop(data);
        EXPECT_EQ(frame->getCursor(), VSTGUI::kCursorDefault);
        return taken;
    }
    std::wstring currentName() const
    {
        auto sound = synth.getCurrentSound();
        return sound ? sound->name() : std::wstring();
    }
};

TEST_F(SoundfileLoadTest, ADroppedFileIsLoadedAndAnnounced)
{
    const std::string path = writeSound("dropped loop.wav", swellingTone(4000));
    auto items = VSTGUI::owned(new CDropSource());
    items->addFilePath(path);
    items->addText("ignored");
    EXPECT_TRUE(drop(*items));
    pollUntilSettled(synth);
    EXPECT_EQ(currentName(), utf8::widen(path));
    EXPECT_EQ(status.last(), "dropped loop.wav - Veldro chops it");
    EXPECT_EQ(status.colours.back(), OWN_COLOUR);
    EXPECT_EQ(target(1), 4000.0) << "a fresh selection over the whole sound";
}

TEST_F(SoundfileLoadTest, TextOrNothingIsRefused)
{
    auto text = VSTGUI::owned(new CDropSource());
    text->addText(writeSound("as-text.wav", swellingTone(400)));
    EXPECT_FALSE(drop(*text));
    auto empty = VSTGUI::owned(new CDropSource());
    EXPECT_FALSE(drop(*empty));
    EXPECT_EQ(synth.pollLoads(), 0u);
    EXPECT_EQ(currentName(), L"");
}

TEST_F(SoundfileLoadTest, APathThatIsNotUtf8IsReportedInRed)
{
    auto items = VSTGUI::owned(new CDropSource());
    items->addFilePath("/tmp/\xff\xfe.wav");
    EXPECT_TRUE(drop(*items));
    EXPECT_EQ(status.last(), "Error opening file - bad conversion");
    EXPECT_EQ(status.colours.back(), RED);
}

TEST_F(SoundfileLoadTest, AClickWithoutASoundOpensTheDialogAndLoadsTheChoice)
{
    const std::string path = writeSound("chosen.wav", swellingTone(4000));
    std::vector<VSTGUI::FileDialogRequest> requests;
    VSTGUI::CNewFileSelector::setTestResponder([&](const VSTGUI::FileDialogRequest& request) {
        requests.push_back(request);
        return std::optional<std::vector<std::string>>({path});
    });
    press(at(20));
    release(at(20));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].title, "Open a soundfile");
    EXPECT_EQ(requests[0].style, VSTGUI::FileDialogStyle::kSelectFile);
    EXPECT_TRUE(requests[0].filters.empty());
    pollUntilSettled(synth);
    EXPECT_EQ(currentName(), utf8::widen(path));
}

TEST_F(SoundfileLoadTest, NameShownIsAfterTheLastSeparatorOfEitherKind)
{
    const std::wstring file = utf8::widen(writeSound("real.wav", swellingTone(400)));
    auto pack = std::make_shared<audio::SoundPack>(std::make_shared<audio::Soundfile>(file),
                                                   L"C:\\music/drums\\kick.wav");
    synth.setSound(pack);
    synth.getParams().notifyListener(0, 1);
    EXPECT_EQ(status.last(), "kick.wav - Veldro chops it");
}

TEST_F(SoundfileLoadTest, ASoundChangeHeardOnAnotherThreadWaitsForTheEditorsIdle)
{
    auto first = install(swellingTone(4000), "first.wav");
    status.texts.clear();
    const std::wstring file = utf8::widen(writeSound("second.wav", swellingTone(8000)));
    auto second = std::make_shared<audio::SoundPack>(std::make_shared<audio::Soundfile>(file), file);
    synth.setSound(second);
    std::thread([this] { synth.getParams().notifyListener(0, 1); }).join();
    EXPECT_TRUE(status.texts.empty()) << "nothing of the view ran on that thread";
    const auto columnsOfFirst = view->getLines().columns();

    view->applyPendingChange();
    EXPECT_EQ(status.last(), "second.wav - Veldro chops it");
    frame->idle();
    EXPECT_NE(view->getLines().columns(), columnsOfFirst) << "rebuilt for the new sound";
    view->applyPendingChange();
    EXPECT_EQ(status.texts.size(), 1u) << "taken up once";
}

} // namespace
} // namespace korvel::test

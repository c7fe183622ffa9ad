#include "gui/CDropButton.h"

#include "vstgui/lib/cfileselector.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/dragging.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

namespace korvel::gui {
namespace {

using VSTGUI::CDropSource;
using VSTGUI::CPoint;
using VSTGUI::CRect;
using VSTGUI::DragEventData;

struct Receiver : ITextReceiver {
    void receiveText(const VSTGUI::UTF8String& text, VSTGUI::CColor colour) override
    {
        texts.push_back(text.getString());
        colours.push_back(colour);
    }
    std::vector<std::string> texts;
    std::vector<VSTGUI::CColor> colours;
};

class DropButtonTest : public ::testing::Test {
protected:
    DropButtonTest()
    {
        frame = VSTGUI::owned(new VSTGUI::CFrame(CRect(0, 0, 200, 100), nullptr));
        frame->open(nullptr);
        button = new CDropButton(CRect(10, 10, 110, 40), 174);
        button->setTitle("patch drop");
        button->setFileType(VSTGUI::CFileExtension("Veldro patch file", "json", "text/json"));
        button->setOnFileDropped([this](std::string path) { dropped.push_back(path); });
        button->setTextReceiver(&receiver);
        frame->addView(button);
        VSTGUI::CNewFileSelector::setTestResponder([this](const VSTGUI::FileDialogRequest& request) {
            requests.push_back(request);
            return answer;
        });
    }
    ~DropButtonTest() override
    {
        VSTGUI::CNewFileSelector::setTestResponder({});
        frame->close();
    }

    bool drop(CDropSource& items)
    {
        const DragEventData data{&items, CPoint(50, 20), 0};
        frame->platformOnDragEnter(data);
        return frame->platformOnDrop(data);
    }
    void click()
    {
        frame->platformOnMouseDown(CPoint(50, 20), VSTGUI::kLButton);
        frame->platformOnMouseUp(CPoint(50, 20), VSTGUI::kLButton);
    }

    VSTGUI::SharedPointer<VSTGUI::CFrame> frame;
    CDropButton* button = nullptr;
    Receiver receiver;
    std::vector<std::string> dropped;
    std::vector<VSTGUI::FileDialogRequest> requests;
    std::optional<std::vector<std::string>> answer;
};

TEST_F(DropButtonTest, DraggingOverShowsTheCopyCursorUntilLeftOrDropped)
{
    auto items = VSTGUI::owned(new CDropSource());
    items->addFilePath("/tmp/a.json");
    DragEventData data{items, CPoint(50, 20), 0};
    EXPECT_EQ(frame->platformOnDragEnter(data), VSTGUI::DragOperation::Copy);
    EXPECT_EQ(frame->getCursor(), VSTGUI::kCursorCopy);
    EXPECT_EQ(frame->platformOnDragMove(data), VSTGUI::DragOperation::Copy);
    frame->platformOnDragLeave(data);
    EXPECT_EQ(frame->getCursor(), VSTGUI::kCursorDefault);
    frame->platformOnDragEnter(data);
    frame->platformOnDrop(data);
    EXPECT_EQ(frame->getCursor(), VSTGUI::kCursorDefault);
}

TEST_F(DropButtonTest, AFileGoesToTheCallbackAndTextIsRefused)
{
    auto text = VSTGUI::owned(new CDropSource());
    text->addText("/tmp/a.json");
    EXPECT_FALSE(drop(*text));
    EXPECT_TRUE(dropped.empty());

    auto file = VSTGUI::owned(new CDropSource());
    file->addFilePath("/tmp/b.json");
    EXPECT_TRUE(drop(*file));
    EXPECT_EQ(dropped, std::vector<std::string>{"/tmp/b.json"});
}

TEST_F(DropButtonTest, AFailingCallbackIsReportedInRedAndTheDropStillCounts)
{
    button->setOnFileDropped([](std::string) -> void { throw std::runtime_error("disk gone"); });
    auto file = VSTGUI::owned(new CDropSource());
    file->addFilePath("/tmp/b.json");
    EXPECT_TRUE(drop(*file));
    EXPECT_EQ(receiver.texts, std::vector<std::string>{"Error opening file - disk gone"});
    EXPECT_EQ(receiver.colours.back(), VSTGUI::CColor(255, 0, 0, 255));
}

TEST_F(DropButtonTest, AClickOpensTheSaveDialogOnlyWithASaveCallback)
{
    click();
    EXPECT_TRUE(requests.empty());

    std::vector<std::string> saved;
    button->setOnSaveChosen([&](std::string path) { saved.push_back(path); });
    click();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].style, VSTGUI::FileDialogStyle::kSelectSaveFile);
    EXPECT_EQ(requests[0].title, "patch drop");
    EXPECT_EQ(requests[0].defaultExtension, "json");
    EXPECT_TRUE(saved.empty()) << "cancelled";

    answer = std::vector<std::string>{"/tmp/mine"};
    click();
    EXPECT_EQ(saved, std::vector<std::string>{"/tmp/mine.json"});
    EXPECT_EQ(button->getValue(), 0.f) << "no kick";
}

TEST_F(DropButtonTest, ACopyKeepsCallbacksAndFileType)
{
    auto copy = VSTGUI::owned(static_cast<CDropButton*>(button->newCopy()));
    EXPECT_EQ(copy->getFileType(), button->getFileType());
    EXPECT_EQ(copy->getTitle(), "patch drop");
    EXPECT_EQ(copy->getTag(), 174);
    auto file = VSTGUI::owned(new CDropSource());
    file->addFilePath("/tmp/c.json");
    EXPECT_TRUE(copy->onDrop(DragEventData{file, CPoint(), 0}));
    EXPECT_EQ(dropped, std::vector<std::string>{"/tmp/c.json"});
}

} // namespace
} // namespace korvel::gui

#include "FrameFixture.h"

namespace VSTGUI::test {
namespace {

// A view that is its own drop target (counted once through the shared IReference) and logs calls.
class DropView : public CView, public IDropTarget {
public:
    DropView(const CRect& size, std::string name, std::vector<std::string>& log)
        : CView(size), name(std::move(name)), log(log)
    {
    }
    SharedPointer<IDropTarget> getDropTarget() override { return this; }
    DragOperation onDragEnter(DragEventData data) override
    {
        note("enter", data);
        return DragOperation::Copy;
    }
    DragOperation onDragMove(DragEventData data) override
    {
        note("move", data);
        return DragOperation::Copy;
    }
    void onDragLeave(DragEventData data) override { note("leave", data); }
    bool onDrop(DragEventData data) override
    {
        note("drop", data);
        const void* bytes = nullptr;
        IDataPackage::Type type;
        return data.drag->getData(0, bytes, type) > 0 && type == IDataPackage::kFilePath;
    }

private:
    void note(const char* what, const DragEventData& data)
    {
        log.push_back(name + " " + what + " " + std::to_string(static_cast<int>(data.pos.x)) + "," +
                      std::to_string(static_cast<int>(data.pos.y)));
    }
    std::string name;
    std::vector<std::string>& log;
};

class DragDropTest : public FrameFixture {
protected:
    DragDropTest()
    {
        box = add(new CViewContainer(CRect(100., 0., 200., 100.)));
        left = add(new DropView(CRect(0., 0., 50., 50.), "left", log));
        right = add(new DropView(CRect(10., 10., 60., 60.), "right", log), box);
        package = makeOwned<CDropSource>();
        package->addFilePath("/home/u/patch.json");
    }
    DragEventData at(CCoord x, CCoord y) { return DragEventData{package, CPoint(x, y), 0}; }

    std::vector<std::string> log;
    CViewContainer* box;
    DropView* left;
    DropView* right;
    SharedPointer<CDropSource> package;
};

TEST_F(DragDropTest, TargetChangesSendLeaveThenEnterInParentCoordinates)
{
    EXPECT_EQ(frame->platformOnDragEnter(at(5., 5.)), DragOperation::Copy);
    frame->platformOnDragMove(at(6., 6.));
    frame->platformOnDragMove(at(115., 20.));
    EXPECT_EQ(frame->platformOnDragMove(at(190., 90.)), DragOperation::None);
    frame->platformOnDragLeave(at(190., 90.));
    EXPECT_EQ(log, (std::vector<std::string>{"left enter 5,5", "left move 6,6", "left leave 115,20",
                                             "right enter 15,20", "right leave 90,90"}));
}

TEST_F(DragDropTest, DropGoesOnlyToTheTargetUnderThePoint)
{
    frame->platformOnDragEnter(at(120., 20.));
    log.clear();
    EXPECT_TRUE(frame->platformOnDrop(at(121., 21.)));
    EXPECT_EQ(log, (std::vector<std::string>{"right drop 21,21"}));
    EXPECT_FALSE(frame->platformOnDrop(at(190., 90.)));
}

TEST_F(DragDropTest, DisabledAndHiddenViewsAreSkipped)
{
    right->setMouseEnabled(false);
    left->setVisible(false);
    EXPECT_EQ(frame->platformOnDragEnter(at(5., 5.)), DragOperation::None);
    EXPECT_FALSE(frame->platformOnDrop(at(120., 20.)));
    EXPECT_TRUE(log.empty());
}

TEST_F(DragDropTest, DropTargetAndViewShareOneReferenceCount)
{
    const int32 before = left->getNbReference();
    {
        SharedPointer<IDropTarget> target = left->getDropTarget();
        EXPECT_EQ(left->getNbReference(), before + 1);
    }
    EXPECT_EQ(left->getNbReference(), before);
}

TEST(CDropSourceTest, PathsAndTextAreZeroTerminated)
{
    CDropSource source;
    source.addFilePath("/a b/ü.wav");
    const char raw[] = {'h', 'i'};
    source.add(raw, 2, IDataPackage::kText);
    source.add(raw, 2, IDataPackage::kBinary);
    ASSERT_EQ(source.getCount(), 3u);
    const void* data = nullptr;
    IDataPackage::Type type;
    EXPECT_EQ(source.getData(0, data, type), std::string("/a b/ü.wav").size() + 1);
    EXPECT_EQ(type, IDataPackage::kFilePath);
    EXPECT_STREQ(static_cast<const char*>(data), "/a b/ü.wav");
    EXPECT_EQ(source.getData(1, data, type), 3u);
    EXPECT_STREQ(static_cast<const char*>(data), "hi");
    EXPECT_EQ(source.getDataSize(2), 2u);
    EXPECT_EQ(source.getData(3, data, type), 0u);
    EXPECT_EQ(type, IDataPackage::kError);
}

} // namespace
} // namespace VSTGUI::test

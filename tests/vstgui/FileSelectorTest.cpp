#include "FrameFixture.h"

namespace VSTGUI::test {
namespace {

class FileSelectorTest : public FrameFixture {
protected:
    ~FileSelectorTest() override { CNewFileSelector::setTestResponder({}); }

    // Answers every dialog with `answer` and keeps the request it saw.
    void respondWith(std::optional<std::vector<std::string>> answer)
    {
        CNewFileSelector::setTestResponder([this, answer](const FileDialogRequest& request) {
            seen = request;
            return answer;
        });
    }
    FileDialogRequest seen;
};

TEST_F(FileSelectorTest, SaveDialogSeesTitleAndDefaultExtension)
{
    respondWith(std::vector<std::string>{"/tmp/patches"});
    auto selector = owned(CNewFileSelector::create(frame, CNewFileSelector::kSelectSaveFile));
    selector->setTitle("patch drop");
    selector->addFileExtension(CFileExtension("All", "*"));
    selector->setDefaultExtension(CFileExtension("Veldro patch file", "json", "text/json"));
    ASSERT_TRUE(selector->runModal());
    EXPECT_EQ(seen.style, FileDialogStyle::kSelectSaveFile);
    EXPECT_EQ(seen.title, "patch drop");
    EXPECT_EQ(seen.defaultExtension, "json");
    ASSERT_EQ(seen.filters.size(), 2u);
    EXPECT_EQ(seen.filters[0].getDescription(), "Veldro patch file");
    ASSERT_EQ(selector->getNumSelectedFiles(), 1u);
    EXPECT_STREQ(selector->getSelectedFile(0), "/tmp/patches.json");
    EXPECT_EQ(selector->getSelectedFile(1), nullptr);
}

struct SaveNameCase {
    const char* chosen;
    const char* expected;
};

class SaveExtensionTest : public FileSelectorTest, public ::testing::WithParamInterface<SaveNameCase> {};

TEST_P(SaveExtensionTest, ExtensionIsAppendedOnlyWhenMissing)
{
    respondWith(std::vector<std::string>{GetParam().chosen});
    auto selector = owned(CNewFileSelector::create(frame, CNewFileSelector::kSelectSaveFile));
    selector->setDefaultExtension(CFileExtension("patch", "json"));
    ASSERT_TRUE(selector->runModal());
    EXPECT_STREQ(selector->getSelectedFile(0), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SaveExtensionTest,
                         ::testing::Values(SaveNameCase{"/a/b", "/a/b.json"}, SaveNameCase{"/a/b.json", "/a/b.json"},
                                           SaveNameCase{"/a/b.JSON", "/a/b.JSON"},
                                           SaveNameCase{"/a/json", "/a/json.json"}));

TEST_F(FileSelectorTest, OpenDialogKeepsThePathAsChosen)
{
    respondWith(std::vector<std::string>{"/sounds/a.wav"});
    auto selector = owned(CNewFileSelector::create(frame, CNewFileSelector::kSelectFile));
    selector->setTitle("Open a soundfile");
    selector->setDefaultExtension(CFileExtension("patch", "json"));
    ASSERT_TRUE(selector->runModal());
    EXPECT_STREQ(selector->getSelectedFile(0), "/sounds/a.wav");
    EXPECT_TRUE(seen.filters.size() == 1u);
}

TEST_F(FileSelectorTest, CancelSelectsNothing)
{
    respondWith(std::nullopt);
    auto selector = owned(CNewFileSelector::create(frame, CNewFileSelector::kSelectFile));
    EXPECT_FALSE(selector->runModal());
    EXPECT_EQ(selector->getNumSelectedFiles(), 0u);
}

TEST_F(FileSelectorTest, AsynchronousRunCallsBackWithTheResult)
{
    respondWith(std::vector<std::string>{"/x.wav"});
    auto selector = owned(CNewFileSelector::create(frame, CNewFileSelector::kSelectFile));
    std::string got;
    EXPECT_TRUE(selector->run([&](CNewFileSelector* s) { got = s->getSelectedFile(0); }));
    EXPECT_EQ(got, "/x.wav");
}

} // namespace
} // namespace VSTGUI::test

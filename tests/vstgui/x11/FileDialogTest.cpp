#include "vstgui/lib/platform/linux/filedialog.h"
#include "vstgui/vstgui.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace VSTGUI {
namespace {

using Arguments = std::vector<std::string>;

FileDialogRequest request(FileDialogStyle style, std::string title = "Load", std::string initialFileName = "")
{
    return {style,
            std::move(title),
            {CFileExtension("JSON patch", "json"), CFileExtension("Wave", ".wav"), CFileExtension("", "aif"),
             CFileExtension("Anything", "")},
            "json",
            std::move(initialFileName)};
}

TEST(FileDialogArguments, Zenity)
{
    const struct {
        FileDialogRequest request;
        Arguments expected;
    } cases[] = {
        {request(FileDialogStyle::kSelectFile),
         {"zenity", "--file-selection", "--title=Load", "--file-filter=JSON patch | *.json",
          "--file-filter=Wave | *.wav", "--file-filter=*.aif | *.aif"}},
        {request(FileDialogStyle::kSelectSaveFile, "Save \"it\"; rm -rf ~", "patch.json"),
         {"zenity", "--file-selection", "--title=Save \"it\"; rm -rf ~", "--file-filter=JSON patch | *.json",
          "--file-filter=Wave | *.wav", "--file-filter=*.aif | *.aif", "--save", "--confirm-overwrite",
          "--filename=patch.json"}},
        {request(FileDialogStyle::kSelectSaveFile, ""),
         {"zenity", "--file-selection", "--file-filter=JSON patch | *.json", "--file-filter=Wave | *.wav",
          "--file-filter=*.aif | *.aif", "--save", "--confirm-overwrite"}},
        {request(FileDialogStyle::kSelectDirectory, "Folder"),
         {"zenity", "--file-selection", "--title=Folder", "--directory"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Linux::zenityArguments(c.request), c.expected);
}

TEST(FileDialogArguments, Kdialog)
{
    const std::string filters = "JSON patch (*.json)\nWave (*.wav)\n*.aif (*.aif)";
    const struct {
        FileDialogRequest request;
        Arguments expected;
    } cases[] = {
        {request(FileDialogStyle::kSelectFile),
         {"kdialog", "--title=Load", "--getopenfilename", ".", filters}},
        {request(FileDialogStyle::kSelectSaveFile, "Save", "patch.json"),
         {"kdialog", "--title=Save", "--getsavefilename", "patch.json", filters}},
        {request(FileDialogStyle::kSelectSaveFile, ""), {"kdialog", "--getsavefilename", ".", filters}},
        {request(FileDialogStyle::kSelectDirectory, "Folder"),
         {"kdialog", "--title=Folder", "--getexistingdirectory", "."}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Linux::kdialogArguments(c.request), c.expected);
}

// Runs the real spawn path against stand-in dialog programs found first on PATH.
class FileDialogProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedPath = std::getenv("PATH");
        setenv("PATH", folder.path().c_str(), 1);
    }
    void TearDown() override { setenv("PATH", savedPath.c_str(), 1); }

    void writeProgram(const std::string& name, const std::string& body)
    {
        auto file = folder.file(name);
        std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    }

    std::vector<std::string> runToEnd(const FileDialogRequest& dialogRequest)
    {
        auto dialog = startPlatformFileDialog(dialogRequest);
        if (!dialog)
            return {"<not started>"};
        for (int i = 0; i < 1000 && !dialog->poll(100); ++i) {
        }
        return dialog->result();
    }

    testing_support::TempDir folder;
    std::string savedPath;
};

TEST_F(FileDialogProcess, ChosenPathIsTheOutputWithoutNewline)
{
    writeProgram("zenity", "printf '%s\\n' \"$4\"");
    EXPECT_EQ(runToEnd(request(FileDialogStyle::kSelectFile)), Arguments{"--file-filter=Wave | *.wav"});
}

TEST_F(FileDialogProcess, FailureOrEmptyOutputIsCancel)
{
    writeProgram("zenity", "echo /tmp/half-written; exit 1");
    EXPECT_TRUE(runToEnd(request(FileDialogStyle::kSelectFile)).empty());
    writeProgram("zenity", "exit 0");
    EXPECT_TRUE(runToEnd(request(FileDialogStyle::kSelectFile)).empty());
}

TEST_F(FileDialogProcess, KdialogServesWhenZenityIsMissing)
{
    writeProgram("kdialog", "echo \"$3\"");
    EXPECT_EQ(runToEnd(request(FileDialogStyle::kSelectSaveFile, "Save", "x.json")), Arguments{"x.json"});
}

TEST_F(FileDialogProcess, NoProgramMeansNoDialog)
{
    EXPECT_EQ(startPlatformFileDialog(request(FileDialogStyle::kSelectFile)), nullptr);
}

TEST_F(FileDialogProcess, DestroyingARunningDialogStopsIt)
{
    writeProgram("zenity", "echo started; exec /bin/sleep 600");
    auto dialog = startPlatformFileDialog(request(FileDialogStyle::kSelectFile));
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->poll(0));
    dialog.reset(); // kills and reaps; a hang here would fail the test by its timeout
}

// Once armed, its next draw fails, after leaving the marker that lets the stand-in dialog finish.
class FailingDrawView : public CView {
public:
    FailingDrawView(const CRect& size, std::filesystem::path marker) : CView(size), marker(std::move(marker)) {}
    void draw(CDrawContext*) override
    {
        if (!armed)
            return;
        armed = false;
        std::ofstream(marker) << "drawn";
        throw std::runtime_error("draw failed");
    }
    CMouseEventResult onMouseDown(CPoint&, const CButtonState&) override
    {
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    bool armed{false};

private:
    std::filesystem::path marker;
};

TEST_F(FileDialogProcess, AViewFailingToDrawDuringTheDialogNeitherEndsItNorLeavesTheFrameModal)
{
    const auto marker = folder.file("drawn");
    writeProgram("zenity", "while [ ! -e '" + marker.string() + "' ]; do sleep 0.01; done; echo /tmp/patch.json");
    auto frame = owned(new CFrame(CRect(0., 0., 100., 100.), nullptr));
    frame->open(nullptr);
    auto* view = new FailingDrawView(CRect(0., 0., 50., 50.), marker);
    frame->addView(view);
    frame->idle();
    view->armed = true;
    view->invalid();
    auto selector = owned(CNewFileSelector::create(frame, CNewFileSelector::kSelectFile));
    ASSERT_TRUE(selector->runModal());
    EXPECT_STREQ(selector->getSelectedFile(0), "/tmp/patch.json");
    EXPECT_EQ(frame->platformOnMouseDown(CPoint(10., 10.), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    frame->close();
}

} // namespace
} // namespace VSTGUI

// The sound-file view in a real X window of a private Xvfb: a file dropped from another client
// through XDND, and a file chosen in a dialog program stood in for by a script.

// GoogleTest before any X header: X defines None and Bool as macros.
#include "gui/SoundfileRig.h"

#include "X11HostTest.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

namespace korvel::test {
namespace {

using VSTGUI::CFrame;
using VSTGUI::CRect;

class SoundfileViewX11Test : public x11_testing::X11HostTest {
protected:
    void SetUp() override
    {
        X11HostTest::SetUp();
        if (!hostReady())
            return;
        hostWindow = host->makeWindow(320, 200);
        ASSERT_NE(hostWindow, static_cast<Window>(None));
        if (const char* path = std::getenv("PATH"))
            savedPath = path;
        synth.setSampleRate(44100.0);
        frame = new CFrame(CRect(0, 0, 320, 200), nullptr);
        view = new gui::SoundfileView(CRect(10, 10, 310, 160), 0, 1, gui::soundfileViewColours);
        view->setSynth(&synth);
        view->setTextReceiver(&status);
        frame->addView(view);
        synth.getParams().addListener(view);
        ASSERT_TRUE(frame->open(reinterpret_cast<void*>(hostWindow)));
        ASSERT_TRUE(pumpUntil([&] { return (frameWindow = host->shownChildOf(hostWindow)) != None; }));
    }

    void TearDown() override
    {
        synth.getParams().clearListeners();
        if (frame) {
            frame->close();
            frame->forget();
        }
        tearDownHost(hostWindow);
        if (savedPath)
            setenv("PATH", savedPath->c_str(), 1);
    }

    // The editor's idle (load poll, then the frame) and the other client (the host, else the drag's
    // source), until `done`; false after a generous bound.
    bool pumpUntil(const std::function<bool()>& done, x11_testing::X11HostClient* source = nullptr)
    {
        const auto idle = [this] {
            synth.pollLoads();
            if (frame->isOpen())
                frame->idle();
        };
        return (source ? *source : *host).pumpUntil(idle, done, 2000);
    }

    void click(int x, int y)
    {
        host->button(frameWindow, ButtonPress, x, y, 0);
        host->button(frameWindow, ButtonRelease, x, y, Button1Mask);
    }

    // A stand-in for the dialog program, found first on PATH.
    void writeDialogProgram(const std::string& body)
    {
        const auto program = folder.file("zenity");
        std::ofstream(program) << "#!/bin/sh\n" << body << "\n";
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        setenv("PATH", (folder.path().string() + ":" + (savedPath ? *savedPath : "/usr/bin:/bin")).c_str(), 1);
    }

    std::wstring currentName() const
    {
        auto sound = synth.getCurrentSound();
        return sound ? sound->name() : std::wstring();
    }

    testing_support::TempDir folder;
    std::optional<std::string> savedPath;
    Window hostWindow = None;
    Window frameWindow = None;
    veldro::Synth synth;
    CFrame* frame = nullptr;
    gui::SoundfileView* view = nullptr;
    TextLog status;
};

TEST_F(SoundfileViewX11Test, AFileDroppedFromAnotherClientIsLoaded)
{
    const auto path = folder.file("my loop.wav");
    testing_support::writeSoundFile(path, swellingTone(6000));
    // The file manager's side of the drag: a client and window of its own.
    x11_testing::X11HostClient source(*server);
    ASSERT_TRUE(source.connected());
    const Window sourceWindow = source.makeWindow(10, 10);
    source.offerDrag(sourceWindow, "file://" + folder.path().string() + "/my%20loop.wav\r\n");
    const auto send = [&](const char* type, long l1, long l2, long l3, long l4) {
        source.sendXdnd(sourceWindow, frameWindow, type, l1, l2, l3, l4);
    };

    send("XdndEnter", 5l << 24, long(source.atom("text/uri-list")), 0, 0);
    send("XdndPosition", 0, (100l << 16) | 80, CurrentTime, long(source.atom("XdndActionCopy")));
    ASSERT_TRUE(pumpUntil([&] { return source.answer("XdndStatus") != nullptr; }, &source));
    EXPECT_EQ(source.answer("XdndStatus")->data.l[1] & 1, 1) << "accepted";
    EXPECT_EQ(frame->getCursor(), VSTGUI::kCursorCopy);

    send("XdndDrop", 0, CurrentTime, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return source.answer("XdndFinished") != nullptr; }, &source));
    EXPECT_EQ(source.answer("XdndFinished")->data.l[1] & 1, 1);
    EXPECT_EQ(frame->getCursor(), VSTGUI::kCursorDefault);
    ASSERT_TRUE(pumpUntil([&] { return currentName() == path.wstring(); }));
    EXPECT_EQ(status.last(), "my loop.wav - Veldro chops it");
}

TEST_F(SoundfileViewX11Test, AClickWithoutASoundLoadsTheFileChosenInTheDialog)
{
    const auto path = folder.file("chosen.wav");
    testing_support::writeSoundFile(path, swellingTone(6000));
    const auto arguments = folder.file("arguments");
    writeDialogProgram("printf '%s\\n' \"$@\" > '" + arguments.string() + "'; echo '" + path.string() + "'");

    click(100, 80);
    ASSERT_TRUE(pumpUntil([&] { return currentName() == path.wstring(); }));
    std::stringstream given;
    given << std::ifstream(arguments).rdbuf();
    EXPECT_NE(given.str().find("--title=Open a soundfile"), std::string::npos) << given.str();
    EXPECT_EQ(status.last(), "chosen.wav - Veldro chops it");
}

TEST_F(SoundfileViewX11Test, AChoiceMadeAfterTheEditorClosedIsDropped)
{
    const auto path = folder.file("late.wav");
    testing_support::writeSoundFile(path, swellingTone(6000));
    const auto started = folder.file("started");
    const auto go = folder.file("go");
    const auto done = folder.file("done");
    writeDialogProgram("touch '" + started.string() + "'; while [ ! -e '" + go.string() + "' ]; do sleep 0.01; done; echo '" +
                       path.string() + "'; touch '" + done.string() + "'");

    click(100, 80);
    ASSERT_TRUE(pumpUntil([&] { return std::filesystem::exists(started); })) << "the host's loop runs on meanwhile";
    synth.getParams().clearListeners();
    frame->close();
    std::ofstream(go.string()) << "chosen";
    ASSERT_TRUE(pumpUntil([&] { return std::filesystem::exists(done); }));
    frame->forget();
    frame = nullptr;
    EXPECT_EQ(synth.pollLoads(), 0u);
    EXPECT_EQ(currentName(), L"");
}

} // namespace
} // namespace korvel::test

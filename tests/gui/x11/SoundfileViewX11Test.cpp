// The sound-file view in a real X window of a private Xvfb: a file dropped from another client
// through XDND, and a file chosen in a dialog program stood in for by a script.

// GoogleTest before any X header: X defines None and Bool as macros.
#include "gui/SoundfileRig.h"

#include "vstgui/x11/XvfbSuite.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace korvel::test {
namespace {

using VSTGUI::CFrame;
using VSTGUI::CRect;

// The file manager's side of a drag: its own connection and window, owning the XDND selection.
class DragSourceClient {
public:
    explicit DragSourceClient(const std::string& displayName) : display(XOpenDisplay(displayName.c_str()))
    {
        if (display)
            window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    }
    ~DragSourceClient()
    {
        if (display)
            XCloseDisplay(display);
    }
    bool connected() const { return display != nullptr; }

    void offer(const std::string& uris)
    {
        offered = uris;
        XSetSelectionOwner(display, atom("XdndSelection"), window, CurrentTime);
    }
    void send(Window target, const char* type, long l1, long l2, long l3, long l4)
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.display = display;
        event.xclient.window = target;
        event.xclient.message_type = atom(type);
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(window);
        event.xclient.data.l[1] = l1;
        event.xclient.data.l[2] = l2;
        event.xclient.data.l[3] = l3;
        event.xclient.data.l[4] = l4;
        XSendEvent(display, target, False, NoEventMask, &event);
        XFlush(display);
    }
    // Answers the target's request for the items and keeps its XDND answers.
    void serve()
    {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ClientMessage)
                answers.push_back(event.xclient);
            else if (event.type == SelectionRequest)
                x11_testing::answerSelectionRequest(display, event.xselectionrequest, offered);
        }
    }
    const XClientMessageEvent* answer(const char* type)
    {
        for (const auto& message : answers)
            if (message.message_type == atom(type))
                return &message;
        return nullptr;
    }
    Atom atom(const char* name) { return XInternAtom(display, name, False); }
    int connection() const { return ConnectionNumber(display); }

private:
    Display* display;
    Window window = None;
    std::string offered;
    std::vector<XClientMessageEvent> answers;
};

class SoundfileViewX11Test : public x11_testing::XvfbSuite {
protected:
    void SetUp() override
    {
        openHost(320, 200);
        if (IsSkipped() || HasFatalFailure())
            return;
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
        ASSERT_TRUE(pumpUntil([this] { return (frameWindow = findFrameWindow()) != None; }));
    }

    void TearDown() override
    {
        synth.getParams().clearListeners();
        if (frame) {
            frame->close();
            frame->forget();
        }
        closeHost();
        if (savedPath)
            setenv("PATH", savedPath->c_str(), 1);
    }

    // The editor's idle (load poll, then the frame) and the other client, until `done`; false after a
    // generous bound.
    bool pumpUntil(const std::function<bool()>& done, DragSourceClient* source = nullptr)
    {
        for (int round = 0; round < 2000; ++round) {
            synth.pollLoads();
            if (frame->isOpen())
                frame->idle();
            if (source)
                source->serve();
            if (done())
                return true;
            pollfd wait{source ? source->connection() : ConnectionNumber(host), POLLIN, 0};
            poll(&wait, 1, 10);
        }
        return false;
    }

    void click(int x, int y)
    {
        for (int type : {ButtonPress, ButtonRelease}) {
            XEvent event{};
            event.xbutton.type = type;
            event.xbutton.display = host;
            event.xbutton.window = frameWindow;
            event.xbutton.root = DefaultRootWindow(host);
            event.xbutton.x = event.xbutton.x_root = x;
            event.xbutton.y = event.xbutton.y_root = y;
            event.xbutton.state = type == ButtonPress ? 0 : Button1Mask;
            event.xbutton.button = Button1;
            event.xbutton.same_screen = True;
            XSendEvent(host, frameWindow, False, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
        }
        XFlush(host);
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
    DragSourceClient source(displayName());
    ASSERT_TRUE(source.connected());
    source.offer("file://" + folder.path().string() + "/my%20loop.wav\r\n");

    source.send(frameWindow, "XdndEnter", 5l << 24, long(source.atom("text/uri-list")), 0, 0);
    source.send(frameWindow, "XdndPosition", 0, (100l << 16) | 80, CurrentTime, long(source.atom("XdndActionCopy")));
    ASSERT_TRUE(pumpUntil([&] { return source.answer("XdndStatus") != nullptr; }, &source));
    EXPECT_EQ(source.answer("XdndStatus")->data.l[1] & 1, 1) << "accepted";
    EXPECT_EQ(frame->getCursor(), VSTGUI::kCursorCopy);

    source.send(frameWindow, "XdndDrop", 0, CurrentTime, 0, 0);
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

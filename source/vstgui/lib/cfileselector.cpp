#include "vstgui/lib/cfileselector.h"

#include "vstgui/lib/cframe.h"

#include <algorithm>
#include <cctype>

namespace VSTGUI {

namespace {

constexpr int kModalPollMs = 30;

CNewFileSelector::TestResponder& testResponder()
{
    static CNewFileSelector::TestResponder responder;
    return responder;
}

bool endsWithExtension(const std::string& path, const std::string& extension)
{
    const std::string suffix = "." + extension;
    if (path.size() < suffix.size())
        return false;
    return std::equal(suffix.rbegin(), suffix.rend(), path.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

} // namespace

CNewFileSelector* CNewFileSelector::create(CFrame* frame, Style style)
{
    return new CNewFileSelector(frame, style);
}

CNewFileSelector::CNewFileSelector(CFrame* frame, Style style) : frame(frame)
{
    request.style = static_cast<FileDialogStyle>(style);
}

CNewFileSelector::~CNewFileSelector() = default;

void CNewFileSelector::setTitle(const UTF8String& title)
{
    request.title = title.getString();
}

void CNewFileSelector::setDefaultSaveName(const UTF8String& name)
{
    request.initialFileName = name.getString();
}

void CNewFileSelector::setDefaultExtension(const CFileExtension& extension)
{
    request.defaultExtension = extension.getExtension().getString();
    std::erase(request.filters, extension);
    request.filters.insert(request.filters.begin(), extension);
}

void CNewFileSelector::addFileExtension(const CFileExtension& extension)
{
    if (std::find(request.filters.begin(), request.filters.end(), extension) == request.filters.end())
        request.filters.push_back(extension);
}

void CNewFileSelector::setTestResponder(TestResponder responder)
{
    testResponder() = std::move(responder);
}

void CNewFileSelector::takeResult(std::vector<std::string> paths)
{
    selected = std::move(paths);
    if (request.style != FileDialogStyle::kSelectSaveFile)
        return;
    std::string extension = request.defaultExtension;
    if (extension.empty() && !request.filters.empty())
        extension = request.filters.front().getExtension().getString();
    if (extension.empty())
        return;
    for (std::string& path : selected)
        if (!endsWithExtension(path, extension))
            path += "." + extension;
}

bool CNewFileSelector::runModal()
{
    selected.clear();
    if (testResponder()) {
        takeResult(testResponder()(request).value_or(std::vector<std::string>()));
        return !selected.empty();
    }
    dialog = startPlatformFileDialog(request);
    if (!dialog)
        return false;
    SharedPointer<CFrame> keepFrame(frame);
    if (frame)
        frame->setModalDialogRunning(true);
    while (!dialog->poll(kModalPollMs)) {
        // The host runs no loop for us: keep the editor painted while the dialog is up.
        if (frame)
            frame->serviceWhileModal();
    }
    if (frame)
        frame->setModalDialogRunning(false);
    takeResult(dialog->result());
    dialog.reset();
    return !selected.empty();
}

bool CNewFileSelector::run(CallbackFunc callback)
{
    selected.clear();
    if (testResponder() || !frame) {
        runModal();
        if (callback)
            callback(this);
        return true;
    }
    dialog = startPlatformFileDialog(request);
    if (!dialog)
        return false;
    pollUntilDone(std::move(callback));
    return true;
}

void CNewFileSelector::pollUntilDone(CallbackFunc callback)
{
    SharedPointer<CNewFileSelector> self(this);
    frame->postToGuiThread([self, callback = std::move(callback)]() mutable {
        if (!self->dialog->poll(0)) {
            self->pollUntilDone(std::move(callback));
            return;
        }
        self->takeResult(self->dialog->result());
        self->dialog.reset();
        if (callback)
            callback(self.get());
    });
}

UTF8StringPtr CNewFileSelector::getSelectedFile(uint32 index) const
{
    return index < selected.size() ? selected[index].c_str() : nullptr;
}

} // namespace VSTGUI

#include "gui/FileDialog.h"

#include "vstgui/lib/cframe.h"

namespace korvel::gui {

bool openFileDialog(VSTGUI::CView& owner, const FileDialogRequest& request,
                    std::function<void(const std::string& path)> onChosen)
{
    VSTGUI::CFrame* frame = owner.getFrame();
    if (!frame)
        return false;
    auto selector = VSTGUI::owned(VSTGUI::CNewFileSelector::create(frame, request.style));
    if (!request.title.empty())
        selector->setTitle(request.title);
    if (!request.fileType.getExtension().empty())
        selector->setDefaultExtension(request.fileType);
    VSTGUI::SharedPointer<VSTGUI::CView> keepOwner(&owner);
    return selector->run([keepOwner, onChosen = std::move(onChosen)](VSTGUI::CNewFileSelector* done) {
        if (!keepOwner->isAttached() || done->getNumSelectedFiles() == 0 || !onChosen)
            return;
        onChosen(done->getSelectedFile(0));
    });
}

} // namespace korvel::gui

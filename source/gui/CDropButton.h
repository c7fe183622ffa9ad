#pragma once

#include "gui/TextSender.h"
#include "vstgui/lib/ccursortype.h"
#include "vstgui/lib/cfileextension.h"
#include "vstgui/lib/controls/ctextbutton.h"

#include <functional>
#include <string>

namespace korvel::gui {

// A button that stands for a file: a file dropped on it goes to onFileDropped, a click opens a save
// dialog (titled with the button's title) whose chosen path goes to onSaveChosen. GUI thread only.
class CDropButton : public VSTGUI::CTextButton, public VSTGUI::IDropTarget, public ITextSender {
public:
    using PathCallback = std::function<void(std::string path)>;

    CDropButton(const VSTGUI::CRect& size, VSTGUI::int32 tag);
    CDropButton(const CDropButton& other);

    // Paths in UTF-8. Without a save callback a click does nothing.
    void setOnFileDropped(PathCallback callback) { onFileDropped = std::move(callback); }
    void setOnSaveChosen(PathCallback callback) { onSaveChosen = std::move(callback); }
    // The save dialog's file type; its extension becomes the dialog's default.
    void setFileType(const VSTGUI::CFileExtension& type) { fileType = type; }
    const VSTGUI::CFileExtension& getFileType() const { return fileType; }

    VSTGUI::CView* newCopy() const override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::SharedPointer<VSTGUI::IDropTarget> getDropTarget() override;

    VSTGUI::DragOperation onDragEnter(VSTGUI::DragEventData data) override;
    VSTGUI::DragOperation onDragMove(VSTGUI::DragEventData data) override;
    void onDragLeave(VSTGUI::DragEventData data) override;
    bool onDrop(VSTGUI::DragEventData data) override;

protected:
    // A theme's accent may barely differ from its background: the title is drawn readable on the fill.
    VSTGUI::UTF8String titleToDraw(VSTGUI::CDrawContext& context, VSTGUI::CCoord width) override;

private:
    void setFrameCursor(VSTGUI::CCursorType cursor);

    PathCallback onFileDropped;
    PathCallback onSaveChosen;
    VSTGUI::CFileExtension fileType;
};

} // namespace korvel::gui

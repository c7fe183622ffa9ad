#include "gui/CDropButton.h"

#include "gui/FileDialog.h"
#include "gui/FittedText.h"
#include "vstgui/lib/cframe.h"

#include <exception>

namespace korvel::gui {

using VSTGUI::DragEventData;
using VSTGUI::DragOperation;

CDropButton::CDropButton(const VSTGUI::CRect& size, VSTGUI::int32 tag)
    : CTextButton(size, nullptr, tag, nullptr, kKickStyle)
{
}

CDropButton::CDropButton(const CDropButton& other)
    : CTextButton(other)
    , IDropTarget()
    , ITextSender(other)
    , onFileDropped(other.onFileDropped)
    , onSaveChosen(other.onSaveChosen)
    , fileType(other.fileType)
{
}

VSTGUI::CView* CDropButton::newCopy() const { return new CDropButton(*this); }

VSTGUI::UTF8String CDropButton::titleToDraw(VSTGUI::CDrawContext& context, VSTGUI::CCoord width)
{
    makeFontColourReadableOn(context, isLit() ? getGradientHighlighted() : getGradient());
    return CTextButton::titleToDraw(context, width);
}

VSTGUI::CMouseEventResult CDropButton::onMouseDown(VSTGUI::CPoint&, const VSTGUI::CButtonState&)
{
    if (onSaveChosen)
        openFileDialog(*this, {VSTGUI::CNewFileSelector::kSelectSaveFile, getTitle(), fileType}, onSaveChosen);
    return VSTGUI::kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

VSTGUI::SharedPointer<VSTGUI::IDropTarget> CDropButton::getDropTarget()
{
    return VSTGUI::shared<VSTGUI::IDropTarget>(this);
}

void CDropButton::setFrameCursor(VSTGUI::CCursorType cursor)
{
    if (auto* frame = getFrame())
        frame->setCursor(cursor);
}

DragOperation CDropButton::onDragEnter(DragEventData)
{
    setFrameCursor(VSTGUI::kCursorCopy);
    return DragOperation::Copy;
}

DragOperation CDropButton::onDragMove(DragEventData) { return DragOperation::Copy; }

void CDropButton::onDragLeave(DragEventData) { setFrameCursor(VSTGUI::kCursorDefault); }

bool CDropButton::onDrop(DragEventData data)
{
    setFrameCursor(VSTGUI::kCursorDefault);
    if (!data.drag || data.drag->getCount() == 0 || data.drag->getDataType(0) != VSTGUI::IDataPackage::kFilePath)
        return false;
    try {
        const void* buffer = nullptr;
        VSTGUI::IDataPackage::Type type = VSTGUI::IDataPackage::kError;
        if (data.drag->getData(0, buffer, type) == 0 || !buffer)
            return false;
        std::string path(static_cast<const char*>(buffer));
        if (onFileDropped)
            onFileDropped(path);
    } catch (const std::exception& e) {
        sendText(std::string("Error opening file - ") + e.what(), {255, 0, 0, 255});
    }
    return true;
}

} // namespace korvel::gui

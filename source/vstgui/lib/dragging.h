#pragma once

// Drag and drop between the window system and the views.

#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/cpoint.h"

#include <string>
#include <vector>

namespace VSTGUI {

// The dragged items. Any thread may read one, but the frame hands it to views on the GUI thread only.
class IDataPackage : public CBaseObject {
public:
    enum Type : int32 {
        kFilePath = 0, // zero-terminated UTF-8 path
        kText = 1,     // zero-terminated UTF-8 text
        kBinary = 2,
        kError = -1,
    };

    virtual uint32 getCount() const = 0;
    virtual uint32 getDataSize(uint32 index) const = 0;
    virtual Type getDataType(uint32 index) const = 0;
    // Points `buffer` at item `index` (owned by the package) and returns its size in bytes (0 out of range).
    virtual uint32 getData(uint32 index, const void*& buffer, Type& type) const = 0;
};

// A package of items copied in; the window-system back end and tests build drops with it.
class CDropSource : public IDataPackage {
public:
    CDropSource() = default;
    // Adds a copy of `size` bytes. Paths and text get a terminating zero if they lack one.
    void add(const void* buffer, uint32 size, Type type);
    void addFilePath(const std::string& path) { add(path.c_str(), static_cast<uint32>(path.size()) + 1, kFilePath); }
    void addText(const std::string& text) { add(text.c_str(), static_cast<uint32>(text.size()) + 1, kText); }

    uint32 getCount() const override;
    uint32 getDataSize(uint32 index) const override;
    Type getDataType(uint32 index) const override;
    uint32 getData(uint32 index, const void*& buffer, Type& type) const override;

private:
    struct Entry {
        Type type;
        std::vector<char> bytes;
    };
    std::vector<Entry> entries;
};

enum class DragOperation : int32 { Copy, Move, None };

struct DragEventData {
    IDataPackage* drag{nullptr};
    CPoint pos;                // in the target view's parent coordinates
    CButtonState modifiers;
};

// GUI thread only.
class IDropTarget : virtual public IReference {
public:
    virtual DragOperation onDragEnter(DragEventData data) = 0;
    virtual DragOperation onDragMove(DragEventData data) = 0;
    virtual void onDragLeave(DragEventData data) = 0;
    virtual bool onDrop(DragEventData data) = 0;
};

} // namespace VSTGUI

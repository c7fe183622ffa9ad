#pragma once

#include "vstgui/lib/cstring.h"

namespace VSTGUI {

// One file type offered by a file dialog; the extension has no leading dot.
class CFileExtension {
public:
    CFileExtension() = default;
    CFileExtension(const UTF8String& description, const UTF8String& extension, const UTF8String& mimeType = "",
                   int32 macType = 0)
        : description(description), extension(extension), mimeType(mimeType), macType(macType)
    {
    }

    const UTF8String& getDescription() const { return description; }
    const UTF8String& getExtension() const { return extension; }
    const UTF8String& getMimeType() const { return mimeType; }
    int32 getMacType() const { return macType; }

    bool operator==(const CFileExtension&) const = default;

private:
    UTF8String description;
    UTF8String extension;
    UTF8String mimeType;
    int32 macType{0};
};

} // namespace VSTGUI

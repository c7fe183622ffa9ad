#include "vstgui/lib/dragging.h"

namespace VSTGUI {

void CDropSource::add(const void* buffer, uint32 size, Type type)
{
    const auto* bytes = static_cast<const char*>(buffer);
    Entry entry{type, std::vector<char>(bytes, bytes + (buffer ? size : 0))};
    const bool isText = type == kFilePath || type == kText;
    if (isText && (entry.bytes.empty() || entry.bytes.back() != '\0'))
        entry.bytes.push_back('\0');
    entries.push_back(std::move(entry));
}

uint32 CDropSource::getCount() const
{
    return static_cast<uint32>(entries.size());
}

uint32 CDropSource::getDataSize(uint32 index) const
{
    return index < entries.size() ? static_cast<uint32>(entries[index].bytes.size()) : 0;
}

IDataPackage::Type CDropSource::getDataType(uint32 index) const
{
    return index < entries.size() ? entries[index].type : kError;
}

uint32 CDropSource::getData(uint32 index, const void*& buffer, Type& type) const
{
    if (index >= entries.size()) {
        buffer = nullptr;
        type = kError;
        return 0;
    }
    buffer = entries[index].bytes.data();
    type = entries[index].type;
    return static_cast<uint32>(entries[index].bytes.size());
}

} // namespace VSTGUI

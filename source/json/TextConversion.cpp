#include "json/TextConversion.h"

namespace JSON {

std::string toMultiByte(std::wstring_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const wchar_t c : text)
        bytes.push_back(c >= 0 && c < 128 ? static_cast<char>(c) : '?');
    return bytes;
}

std::wstring widen(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    for (const char c : bytes)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return text;
}

} // namespace JSON

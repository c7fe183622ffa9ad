#include "vstgui/lib/platform/x11/x11urilist.h"

#include <algorithm>
#include <cctype>

namespace VSTGUI::X11 {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

DroppedItem itemFromUri(std::string_view uri)
{
    constexpr std::string_view fileScheme = "file://";
    DroppedItem asText{std::string(uri), false};
    if (uri.size() < fileScheme.size() || !equalsIgnoringCase(uri.substr(0, fileScheme.size()), fileScheme))
        return asText;
    auto rest = uri.substr(fileScheme.size());
    auto pathStart = rest.find('/');
    if (pathStart == std::string_view::npos)
        return asText;
    auto host = rest.substr(0, pathStart);
    if (!host.empty() && !equalsIgnoringCase(host, "localhost"))
        return asText; // a path on another machine means nothing here
    DroppedItem path;
    if (!percentDecode(rest.substr(pathStart), path.data))
        return asText;
    path.isFilePath = true;
    return path;
}

} // namespace

bool percentDecode(std::string_view text, std::string& decoded)
{
    decoded.clear();
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        int high = hexValue(text[i + 1]);
        int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0 || (high == 0 && low == 0))
            return false;
        decoded.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return true;
}

std::vector<DroppedItem> parseUriList(std::string_view payload)
{
    // Some sources terminate the selection data with a NUL byte.
    while (!payload.empty() && payload.back() == '\0')
        payload.remove_suffix(1);
    std::vector<DroppedItem> items;
    while (!payload.empty()) {
        auto lineEnd = payload.find('\n');
        auto line = payload.substr(0, lineEnd);
        payload = lineEnd == std::string_view::npos ? std::string_view{} : payload.substr(lineEnd + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        items.push_back(itemFromUri(line));
    }
    return items;
}

} // namespace VSTGUI::X11

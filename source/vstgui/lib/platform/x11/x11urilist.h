#pragma once

// Decoding of the "text/uri-list" payload that XDND sources deliver for dropped files.
// Pure functions: no X connection, any thread.

#include <string>
#include <string_view>
#include <vector>

namespace VSTGUI::X11 {

struct DroppedItem {
    std::string data;
    bool isFilePath{false};

    bool operator==(const DroppedItem&) const = default;
};

// Replaces every %XX escape by its byte. Returns false for a malformed escape or for %00,
// which would cut the zero-terminated path short.
bool percentDecode(std::string_view text, std::string& decoded);

// One item per URI line (comments and blank lines skipped, CRLF or LF). A file:// URI with an
// empty or "localhost" host becomes its decoded local path; any other URI is kept as text.
std::vector<DroppedItem> parseUriList(std::string_view payload);

} // namespace VSTGUI::X11

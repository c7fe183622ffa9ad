#pragma once

#include "json/Value.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace JSON {

// The writer's fixed layout. Containers at depth d are written over several
// lines when indentWidth is not 0 and d + 1 is below maxDepth (members indented
// by indentWidth x (d + 1) spaces, none when indentWidth is 1), otherwise on
// one line as "[ a, b ]" and "{ "k": v }"; empty ones as "[]" and "{}".
// Every character above 127 and below U+0020 is escaped: the text is plain
// ASCII, and its only control characters are the layout's line feeds.
// Threads: any thread.
std::wstring write(const Value& value, unsigned indentWidth, int depth, std::uint64_t maxDepth);

// Appends the characters with JSON escapes: \b \t \n \f \r \/ \\ \" and \u%04x
// for every other character below U+0020 and every character above 127;
// characters above U+FFFF as a UTF-16 pair of escapes, and values that are no
// character at all as \ufffd.
void escapeString(std::wstring_view text, std::wstring& out);

// write() from depth 0, narrowed to bytes. The state text adds its own final
// line feed.
std::string toText(const Value& value, unsigned indentWidth, std::uint64_t maxDepth);

} // namespace JSON
